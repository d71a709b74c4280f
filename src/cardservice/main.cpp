// zeph-cardservice: the card-service socket in front of an emulated Tavik
// Zeph card (the default, so the program runs and is tested without a card)
// or, with --modem, a real modem that ModemManager manages.

#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cardservice/card_model.h"
#include "cardservice/demo_card.h"
#include "cardservice/emulator_backend.h"
#include "cardservice/modem_backend.h"
#include "cardservice/server.h"
#include "cardservice/state_file.h"

using namespace zeph::cardservice;

namespace {

Server* g_server = nullptr;

extern "C" void OnStopSignal(int) {
  if (g_server) g_server->RequestStop();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Emulates a Tavik Zeph card behind the card-service socket, or serves a real "
      "modem through ModemManager (--modem). zeph-cardctl talks to it; "
      "docs/card-service.md describes it."};
  std::string statePath;
  std::string socketDir;
  ModemBackend::Options modemOptions;
  bool modem = false;
  bool demo = false;
  bool verbose = false;
  Faults faults;
  std::vector<uint32_t> errorReplies;
  uint32_t reportDelayMs = 2000;
  uint32_t echoDelayMs = 1000;
  auto* modemFlag = app.add_flag(
      "--modem", modem,
      "Serve a modem through ModemManager on the system bus instead of the emulated card");
  app.add_option("--modem-id", modemOptions.modemId,
                 "With --modem: the modem whose EquipmentIdentifier (IMEI) this is "
                 "(default: the first that can send messages)")
      ->needs(modemFlag);
  app.add_option("--state", statePath,
                 "State file (default: $XDG_STATE_HOME/zeph/cardservice.json, "
                 "with --modem cardservice-modem.json)");
  app.add_option(
      "--socket-dir", socketDir,
      "Folder of the socket (default: $ZEPH_IPC_DIR, $XDG_RUNTIME_DIR or /tmp/zeph-<uid>)");
  auto* demoFlag =
      app.add_flag("--demo", demo,
                   "Start with the demo card: eight contacts and three waiting messages "
                   "(replaces the SIM phonebook and the stored messages)");
  app.add_flag("-v,--verbose", verbose, "Log every request (pipe, id, result) to stderr");
  app.add_option("--report-delay", reportDelayMs, "Milliseconds until a delivery report arrives")
      ->capture_default_str();
  app.add_option("--echo-delay", echoDelayMs,
                 "Milliseconds until an echo (+10000) or a message to the own number comes back")
      ->capture_default_str();
  std::vector<CLI::Option*> emulatorOnly = {
      demoFlag,
      app.add_option("--delay", faults.delayMs, "Fault: answer every request this many ms late"),
      app.add_option("--fail-sends", faults.failSends, "Fault: refuse the next N sends"),
      app.add_option("--fail-status", faults.failStatus, "Status of the refused sends")
          ->capture_default_str(),
      app.add_option("--error-reply", errorReplies,
                     "Fault: answer the next request with this id with the error reply"),
      app.add_flag("--close-next", faults.closeNext,
                   "Fault: close the connection of the next request"),
      app.add_flag("--stale-reply", faults.staleReply, "Fault: send the next reply twice"),
      app.add_flag("--refuse-opens", faults.refuseOpens, "Fault: refuse every pipe open")};
  for (CLI::Option* option : emulatorOnly) option->excludes(modemFlag);
  CLI11_PARSE(app, argc, argv);
  modemOptions.verbose = verbose;

  if (statePath.empty()) statePath = DefaultStatePath(modem);
  CardModel card;
  std::string error;
  LoadResult loaded = LoadState(statePath, card, error);
  if (loaded == LoadResult::kCorrupt)
    std::cerr << "zeph-cardservice: the state file " << statePath << " is damaged (" << error
              << "); starting from a fresh card\n";
  if (modem && loaded != LoadResult::kLoaded) {
    // An empty centre lets the modem use the SIM's; no own number until the user sets one.
    card.centre.number.clear();
    card.ownNumber.clear();
  }
  if (demo) FillDemoCard(card);
  for (uint32_t id : errorReplies) faults.errorReplies[id] = 1;
  card.faults = faults;
  card.reportDelayMs = reportDelayMs;
  card.echoDelayMs = echoDelayMs;

  ServerOptions options;
  options.socketDir = socketDir;
  options.verbose = verbose;
  options.save = [statePath](const CardModel& state) {
    if (!SaveState(statePath, state))
      std::cerr << "zeph-cardservice: cannot write the state file " << statePath << '\n';
  };
  std::unique_ptr<CardBackend> backend;
  if (modem)
    backend = std::make_unique<ModemBackend>(card, modemOptions);
  else
    backend = std::make_unique<EmulatorBackend>(card);
  Server server(*backend, options);
  if (!server.Start(error)) {
    std::cerr << "zeph-cardservice: " << error << '\n';
    return 1;
  }
  options.save(card);
  g_server = &server;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  if (verbose) std::cerr << "zeph-cardservice: listening on " << server.socketPath() << '\n';
  server.Run();
  g_server = nullptr;
  return 0;
}
