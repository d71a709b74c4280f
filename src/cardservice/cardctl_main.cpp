// zeph-cardctl: tells a running zeph-cardservice what happens to its card:
// messages arriving, the connection changing, the SIM pulled out, faults.
// It speaks the control protocol of docs/cardctl.md over <dir>/TavikZeph.ctl.

#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "core/codecs/business_card.h"
#include "core/devicelink/control_link.h"
#include "core/pictures/gms_file.h"
#include "core/util/hex_text.h"

using nlohmann::json;

namespace {

constexpr int kReplyTimeoutMs = 5000;

// Sends one command line and returns the reply, or an error object.
json Exchange(const std::string& socketDir, const json& command) {
  zeph::ControlExchange exchange =
      zeph::ExchangeControlLine(socketDir, command.dump(), kReplyTimeoutMs);
  if (!exchange.answered) return {{"ok", false}, {"error", exchange.error}};
  json parsed = json::parse(exchange.reply, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object())
    return {{"ok", false}, {"error", "no answer from the card service"}};
  return parsed;
}

bool OnOff(const std::string& value) {
  return value == "on";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Controls a running zeph-cardservice: deliver messages, change the connection, "
      "edit or pull the SIM, read the network's log, inject faults."};
  app.require_subcommand(1);
  std::string socketDir;
  app.add_option("--socket-dir", socketDir,
                 "Folder of the card service's sockets (default: $ZEPH_IPC_DIR, "
                 "$XDG_RUNTIME_DIR or /tmp/zeph-<uid>)");
  json command;
  auto onOff = CLI::IsMember({"on", "off"});

  // deliver
  CLI::App* deliver = app.add_subcommand("deliver", "A message arrives in the card's store");
  std::string text, from, centre, cardFile, pictureFile, cardName, cardNumber;
  std::string reportStatus = "delivered";
  bool wide = false, unknown = false, replyPath = false;
  int reference = -1, status = -1, kind = -1, protocolId = -1;
  unsigned delayMs = 0;
  deliver->add_option("--text", text, "The text (UTF-8); with --picture the picture's text");
  deliver->add_flag("--wide", wide, "Send the text in 16-bit characters");
  deliver->add_option("--picture", pictureFile,
                      "A picture message with the picture of a .gms FILE");
  deliver->add_option("--business-card", cardFile,
                      "A business card: the vCard text in FILE (UTF-8)");
  deliver->add_option("--card-name", cardName,
                      "A business card for this name (with --card-number)");
  deliver->add_option("--card-number", cardNumber, "The number on that business card");
  deliver->add_option("--report", reference, "A delivery report for this message reference (0-255)")
      ->check(CLI::Range(0, 255));
  deliver->add_option("--report-status", reportStatus, "delivered, failed, pending or a number")
      ->capture_default_str();
  deliver->add_flag("--unknown", unknown, "A data message of a kind the program does not know");
  deliver->add_option("--from", from, "Sender (default +15550100); for a report, the recipient");
  deliver->add_option("--centre", centre, "Service centre (default: the card's)");
  deliver->add_flag("--reply-path", replyPath, "The sender asks for replies through its centre");
  deliver->add_option("--protocol-id", protocolId,
                      "Protocol identifier byte (replace types: 0x41 to 0x47)");
  deliver->add_option("--status", status,
                      "The block's status byte (default 2; bit 0x08: left on the card)");
  deliver->add_option("--kind", kind, "Override the block's kind byte");
  deliver->add_option("--delay", delayMs, "Arrive this many milliseconds later");

  // connection, long messages, send options, centre
  CLI::App* connection = app.add_subcommand("connection", "Set the connection state");
  std::string state;
  connection->add_option("STATE", state, "gsm, gprs, none or searching")
      ->required()
      ->check(CLI::IsMember({"gsm", "gprs", "none", "searching"}));
  CLI::App* longMessages = app.add_subcommand("long-messages", "Allow or forbid long messages");
  std::string longOn;
  longMessages->add_option("VALUE", longOn, "on or off")->required()->check(onOff);
  CLI::App* sendOptions = app.add_subcommand("send-options", "Set the card's three send options");
  std::string optReplyPath, optReports, optThree;
  sendOptions->add_option("--reply-path", optReplyPath, "Option 1: on or off")->check(onOff);
  sendOptions->add_option("--reports", optReports, "Option 2, delivery reports: on or off")
      ->check(onOff);
  sendOptions->add_option("--option3", optThree, "Option 3: on or off")->check(onOff);
  CLI::App* centreCommand = app.add_subcommand("centre", "Set the message-centre number");
  std::string centreNumber;
  centreCommand->add_option("NUMBER", centreNumber, "At most 22 characters")->required();
  CLI::App* ownNumberCommand = app.add_subcommand("own-number", "Set the SIM's own number");
  std::string ownNumber;
  ownNumberCommand
      ->add_option("NUMBER", ownNumber,
                   "At most 22 characters; with a modem \"\" "
                   "gives the modem's own number again")
      ->required();

  // sim
  CLI::App* sim = app.add_subcommand("sim", "List and edit the SIM phonebook, pull the SIM out");
  sim->require_subcommand(1);
  CLI::App* simList = sim->add_subcommand("list", "List the entries");
  CLI::App* simAdd = sim->add_subcommand("add", "Add an entry");
  CLI::App* simEdit = sim->add_subcommand("edit", "Change an entry");
  CLI::App* simDelete = sim->add_subcommand("delete", "Delete an entry");
  CLI::App* simRemove = sim->add_subcommand("remove", "Pull the SIM out");
  CLI::App* simInsert = sim->add_subcommand("insert", "Put the SIM back");
  std::string simName, simNumber;
  int location = 0;
  simAdd->add_option("NAME", simName, "Name (UTF-8)")->required();
  simAdd->add_option("NUMBER", simNumber, "Number")->required();
  simEdit->add_option("LOCATION", location, "Location")->required();
  simEdit->add_option("--name", simName, "New name");
  simEdit->add_option("--number", simNumber, "New number");
  simDelete->add_option("LOCATION", location, "Location")->required();

  CLI::App* sentLog = app.add_subcommand("sent-log", "Show the network's log of sent messages");
  CLI::App* show = app.add_subcommand("show", "Show the card's settings, store and SIM state");

  // fault
  CLI::App* fault = app.add_subcommand("fault", "Inject a fault");
  fault->require_subcommand(1);
  CLI::App* faultDelay = fault->add_subcommand("delay", "Answer every request MS late (0: off)");
  CLI::App* faultFail = fault->add_subcommand("fail-sends", "Refuse the next N sends");
  CLI::App* faultError =
      fault->add_subcommand("error-reply", "Answer request ID with the error reply");
  CLI::App* faultClose =
      fault->add_subcommand("close-next", "Close the connection at its next request");
  CLI::App* faultStale = fault->add_subcommand("stale-reply", "Send the next reply twice");
  CLI::App* faultRefuse = fault->add_subcommand("refuse-opens", "Refuse pipe opens");
  CLI::App* faultClear = fault->add_subcommand("clear", "Clear every fault");
  unsigned faultValue = 0, failStatus = 0x0420, count = 1;
  std::string pipeName, refuse;
  faultDelay->add_option("MS", faultValue, "Milliseconds")->required();
  faultFail->add_option("N", faultValue, "How many sends")->required();
  faultFail->add_option("--status", failStatus, "Status of the refusals")->capture_default_str();
  faultError->add_option("ID", faultValue, "Request id, e.g. 0x290009")->required();
  faultError->add_option("--count", count, "How many requests (0: every one)")
      ->capture_default_str();
  faultClose->add_option("--pipe", pipeName, "Only a connection of this pipe, e.g. \"SMS sync\"");
  faultRefuse->add_option("VALUE", refuse, "on or off")->required()->check(onOff);

  CLI11_PARSE(app, argc, argv);

  if (deliver->parsed()) {
    command = {{"verb", "deliver"}, {"text", text}};
    if (!pictureFile.empty()) {
      zeph::GmsRead gms = zeph::LoadGmsFile(pictureFile);
      if (!gms.ok()) {
        std::cerr << "zeph-cardctl: " << pictureFile << ": " << zeph::GmsRefusalText(gms.refusal)
                  << '\n';
        return 1;
      }
      command["type"] = wide ? "picture16" : "picture";
      command["picture"] = zeph::ToHex(gms.picture);
    } else if (!cardName.empty() || !cardNumber.empty()) {
      command["type"] = "business-card";
      command["card"] = zeph::BuildBusinessCard(cardName, cardNumber);
    } else if (!cardFile.empty()) {
      std::ifstream in(cardFile, std::ios::binary);
      if (!in) {
        std::cerr << "zeph-cardctl: cannot read " << cardFile << '\n';
        return 1;
      }
      command["type"] = "business-card";
      command["card"] = std::string(std::istreambuf_iterator<char>(in), {});
    } else if (reference >= 0) {
      static const std::map<std::string, int> statuses = {
          {"pending", 0}, {"delivered", 1}, {"failed", 2}};
      auto it = statuses.find(reportStatus);
      command["type"] = "report";
      command["reference"] = reference;
      try {
        command["reportStatus"] =
            it != statuses.end() ? it->second : std::stoi(reportStatus, nullptr, 0);
      } catch (const std::exception&) {
        std::cerr << "zeph-cardctl: bad --report-status " << reportStatus << '\n';
        return 1;
      }
    } else if (unknown) {
      command["type"] = "unknown";
    } else {
      command["type"] = wide ? "text16" : "text";
    }
    if (!from.empty()) command["from"] = from;
    if (!centre.empty()) command["centre"] = centre;
    if (replyPath) command["replyPath"] = true;
    if (protocolId >= 0) command["protocolId"] = protocolId;
    if (status >= 0) command["status"] = status;
    if (kind >= 0) command["kind"] = kind;
    if (delayMs > 0) command["delayMs"] = delayMs;
  } else if (connection->parsed()) {
    command = {{"verb", "connection"}, {"state", state}};
  } else if (longMessages->parsed()) {
    command = {{"verb", "long-messages"}, {"on", OnOff(longOn)}};
  } else if (sendOptions->parsed()) {
    command = {{"verb", "send-options"}};
    if (!optReplyPath.empty()) command["replyPath"] = OnOff(optReplyPath);
    if (!optReports.empty()) command["deliveryReports"] = OnOff(optReports);
    if (!optThree.empty()) command["option3"] = OnOff(optThree);
  } else if (centreCommand->parsed()) {
    command = {{"verb", "centre"}, {"number", centreNumber}};
  } else if (ownNumberCommand->parsed()) {
    command = {{"verb", "own-number"}, {"number", ownNumber}};
  } else if (simList->parsed()) {
    command = {{"verb", "sim-list"}};
  } else if (simAdd->parsed()) {
    command = {{"verb", "sim-add"}, {"name", simName}, {"number", simNumber}};
  } else if (simEdit->parsed()) {
    command = {{"verb", "sim-edit"}, {"location", location}};
    if (!simName.empty()) command["name"] = simName;
    if (!simNumber.empty()) command["number"] = simNumber;
  } else if (simDelete->parsed()) {
    command = {{"verb", "sim-delete"}, {"location", location}};
  } else if (simRemove->parsed() || simInsert->parsed()) {
    command = {{"verb", simRemove->parsed() ? "sim-remove" : "sim-insert"}};
  } else if (sentLog->parsed()) {
    command = {{"verb", "sent-log"}};
  } else if (show->parsed()) {
    command = {{"verb", "show"}};
  } else if (faultDelay->parsed()) {
    command = {{"verb", "fault"}, {"delayMs", faultValue}};
  } else if (faultFail->parsed()) {
    command = {{"verb", "fault"}, {"failSends", faultValue}, {"failStatus", failStatus}};
  } else if (faultError->parsed()) {
    command = {{"verb", "fault"}, {"errorReply", faultValue}, {"count", count}};
  } else if (faultClose->parsed()) {
    command = {{"verb", "fault"}, {"closeNext", true}, {"pipe", pipeName}};
  } else if (faultStale->parsed()) {
    command = {{"verb", "fault"}, {"staleReply", true}};
  } else if (faultRefuse->parsed()) {
    command = {{"verb", "fault"}, {"refuseOpens", OnOff(refuse)}};
  } else if (faultClear->parsed()) {
    command = {{"verb", "fault"}, {"clear", true}};
  }

  json reply = Exchange(socketDir, command);
  if (!reply.value("ok", false)) {
    std::cerr << "zeph-cardctl: " << reply.value("error", std::string("failed")) << '\n';
    return 1;
  }
  reply.erase("ok");
  if (!reply.empty())
    std::cout << reply.dump(2, ' ', false, json::error_handler_t::replace) << '\n';
  return 0;
}
