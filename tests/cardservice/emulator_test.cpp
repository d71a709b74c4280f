// zeph-cardservice as a process, through the program's request layer and zeph-cardctl.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "cardservice/demo_card.h"
#include "core/codecs/card_message.h"
#include "core/codecs/card_message_layout.h"
#include "core/devicelink/device_requests.h"
#include "core/devicelink/ipc_client.h"
#include "core/devicelink/ipc_endpoint.h"
#include "core/pictures/gms_file.h"
#include "core/util/fixed_text.h"
#include "support/card_service_process.h"

namespace zeph {
namespace {

using namespace zeph::testing;
namespace cm = card_message;

// A text block as the send engine builds it.
std::vector<uint8_t> TextBlock(const std::string& text) {
  auto record = CreateMessageRecord();
  record->text = text;
  return BuildCardMessage(*record);
}

std::string BlockNumber(const std::vector<uint8_t>& block) {
  return BoundedText(&block[cm::kNumberOffset], cm::kNumberFieldSize);
}

std::string BlockText(const std::vector<uint8_t>& block) {
  return std::string(block.begin() + cm::kHeadSize, block.end());
}

// A received picture message's text and picture, as the program's own decoder reads them.
std::pair<std::string, PictureImage> PictureMessageOf(const std::vector<uint8_t>& block) {
  const ReceivedMessage received = MessageRecordFromReceived(block);
  return {TextOf(*received.record), received.record->picture.value_or(PictureImage{})};
}

// The command's output and error output, then "exit=<its status>".
std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1; echo \"exit=$?\"").c_str(), "r");
  if (!pipe) return output;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
  pclose(pipe);
  return output;
}

// The phonebook requests: sim_contacts_test; the SIM list's UTF-8 names: contacts_dialogs_test.
TEST(Emulator, SimRemoveAndInsertVerbs) {
  TempFolder folder;
  CardServiceProcess service(folder);
  auto pipe = OpenServicePipe(folder);
  uint16_t location = 0;
  ASSERT_EQ(AddPhonebookEntry(*pipe, "\xE9", "+4930123", location), 0u);
  ContactList contacts;
  ASSERT_EQ(ReadPhonebook(*pipe, contacts), 0u);
  service.Control(R"({"verb":"sim-remove"})");
  EXPECT_NE(ReadPhonebook(*pipe, contacts), 0u);
  EXPECT_EQ(contacts.Count(), 1);  // untouched
  EXPECT_EQ(ReadConnectionState(*pipe), 0x201u);
  service.Control(R"({"verb":"sim-insert"})");
  ASSERT_EQ(ReadPhonebook(*pipe, contacts), 0u);
  EXPECT_EQ(contacts.Count(), 1);
}

TEST(Emulator, StateSurvivesARestartAndADamagedFileIsReported) {
  TempFolder folder;
  CardServiceProcess service(folder);
  ASSERT_EQ(WriteCardParamU8(*OpenServicePipe(folder), wire::kParamLongMessages, 0), 0u);
  service.Stop();
  service.Start(folder);
  EXPECT_EQ(ReadLongMessageFlag(*OpenServicePipe(folder)), 0);  // each field: state_file_test
  service.Stop();
  folder.Write("cardservice.json", {'{', 'x'});
  service.Start(folder);
  auto pipe = OpenServicePipe(folder);
  EXPECT_EQ(ReadLongMessageFlag(*pipe), 1);  // a fresh card
  EXPECT_NE(service.Log().find("damaged"), std::string::npos) << service.Log();
}

TEST(Emulator, StaysUpThroughBadFramesAndManyDroppedConnections) {
  TempFolder folder;
  CardServiceProcess service(folder);
  auto pipe = OpenServicePipe(folder);
  std::string socket = folder.path().string() + "/TavikZeph.sock";

  auto sendRaw = [&](std::vector<uint8_t> bytes) {
    int fd = ConnectUnix(socket);
    ASSERT_GE(fd, 0);
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    close(fd);
  };
  sendRaw({0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 8, 0, 0, 0});              // length 8
  sendRaw({0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0x01, 0x00, 0x20, 0x00});  // 2 MiB
  sendRaw({0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 52, 0, 0, 0, 0, 0});       // cut in the middle
  sendRaw({0, 0, 0, 0, 9, 0, 0x29, 0, 0, 0, 0, 0, 16, 0, 0, 0});          // a request before open
  for (int round = 0; round < 20; ++round) {
    std::vector<int> fds;
    for (int i = 0; i < 100; ++i) fds.push_back(ConnectUnix(socket));
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
  EXPECT_EQ(ReadConnectionState(*pipe), 0x202u);
  EXPECT_EQ(ReadConnectionState(*OpenServicePipe(folder)), 0x202u);
}

TEST(Emulator, ALiveServiceRefusesASecondOneAndAStaleSocketIsReplaced) {
  TempFolder folder;
  CardServiceProcess(folder).Kill();  // its socket files stay, as after a crash
  ASSERT_TRUE(std::filesystem::exists(folder.File("TavikZeph.sock")));
  CardServiceProcess service(folder);
  std::string output = RunCommand(std::string(ZEPH_CARDSERVICE_BINARY) + " --socket-dir " +
                                  folder.path().string() + " --state " + folder.File("other.json"));
  EXPECT_NE(output.find("another card service is running"), std::string::npos) << output;
  EXPECT_NE(output.find("exit=1"), std::string::npos) << output;
  EXPECT_EQ(ReadConnectionState(*OpenServicePipe(folder)), 0x202u);
}

TEST(Emulator, CardctlDeliversWideTextsReportsAndUnknownData) {
  TempFolder folder;
  CardServiceProcess service(folder);
  std::string ctl = std::string(ZEPH_CARDCTL_BINARY) + " --socket-dir " + folder.path().string();
  RunCommand(ctl + " deliver --wide --text 'h\xC3\xA9' --from +4930 --centre +4917");
  RunCommand(ctl + " deliver --report 7 --report-status failed --from +4931");
  RunCommand(ctl + " deliver --unknown");
  RunCommand(ctl + " deliver --card-name Anna --card-number +4932");
  EXPECT_NE(RunCommand(ctl + " show").find("\"slot\": 3"), std::string::npos);

  auto pipe = OpenServicePipe(folder);
  std::array<std::vector<uint8_t>, 4> blocks;
  for (uint8_t slot = 0; slot < 4; ++slot)
    ASSERT_EQ(ReadStoredMessage(*pipe, slot, blocks[slot]), 0u);
  const auto& [wide, report, unknown, card] = blocks;
  EXPECT_EQ(wide[cm::kKindOffset], cm::kKindText16);
  EXPECT_EQ(BlockText(wide), std::string("\0h\0\xE9", 4));
  EXPECT_EQ(BoundedText(&wide[cm::kServiceCentreOffset], 23), "+4917");
  EXPECT_EQ(report[cm::kReferenceOffset], 7);
  EXPECT_EQ(report[cm::kReportStatusOffset], cm::kReportFailed);
  EXPECT_EQ(BlockNumber(report), "+4931");
  EXPECT_EQ(unknown[cm::kKindOffset], cm::kKindUnknownData);
  EXPECT_EQ(card[cm::kKindOffset], cm::kKindBusinessCard);
  EXPECT_EQ(BlockText(card),
            "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ISO-8859-1:Anna\r\nTEL:+4932\r\nEND:VCARD\r\n");

  std::string output = RunCommand(std::string(ZEPH_CARDCTL_BINARY) + " --socket-dir " +
                                  folder.File("nowhere") + " show");
  EXPECT_NE(output.find("no card service"), std::string::npos) << output;
  EXPECT_NE(output.find("exit=1"), std::string::npos);
}

TEST(Emulator, PicturesArriveWholeFromGmsFilesAndTheDemo) {
  TempFolder folder;
  CardServiceProcess service(folder, {"--demo"});
  PictureImage picture{};
  for (size_t i = 0; i < picture.size(); i += 7) picture[i] = static_cast<uint8_t>(i);
  ASSERT_TRUE(SaveGmsFile(folder.File("p.gms"), picture));
  folder.Write("bad.gms", std::vector<uint8_t>(100, 0));
  std::string ctl = std::string(ZEPH_CARDCTL_BINARY) + " --socket-dir " + folder.path().string();
  RunCommand(ctl + " deliver --picture " + folder.File("p.gms") + " --text Hi --from +4930");
  std::string refused = RunCommand(ctl + " deliver --picture " + folder.File("bad.gms"));
  EXPECT_NE(refused.find("exit=1"), std::string::npos) << refused;

  auto pipe = OpenServicePipe(folder);
  // Three demo messages (two texts, a picture), then the file's picture.
  StoredMessageCounts counts;
  for (int i = 0; i < 300 && counts.Total() < 4; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(ReadStoredMessageCounts(*pipe, counts), 0u);
  }
  std::array<std::vector<uint8_t>, 4> blocks;
  for (uint8_t slot = 0; slot < 4; ++slot)
    ASSERT_EQ(ReadStoredMessage(*pipe, slot, blocks[slot]), 0u);
  for (uint8_t slot = 0; slot < 4; ++slot)
    EXPECT_EQ(blocks[slot][cm::kKindOffset], slot < 2 ? cm::kKindText8 : cm::kKindPicture) << slot;
  EXPECT_EQ(PictureMessageOf(blocks[2]),
            std::pair(std::string("Happy birthday!"), cardservice::DemoPicture()));
  EXPECT_EQ(PictureMessageOf(blocks[3]), std::pair(std::string("Hi"), picture));
  EXPECT_EQ(BlockNumber(blocks[3]), "+4930");
}

TEST(Emulator, ControlCommandsRejectBadInputAndSendsFailFromTheCommandLine) {
  TempFolder folder;
  CardServiceProcess service(folder, {"--fail-sends", "1", "--fail-status", "0x77"});
  for (auto [command, answer] :
       {std::pair{"not json", "\"ok\":false"},
        {R"({"verb":"launch"})", "unknown verb"},
        {R"({"verb":"deliver","type":"picture","picture":"00"})", "504 hex digits"},
        {R"({"verb":"connection","state":"lte"})", "\"ok\":false"},
        {R"({"verb":"sim-delete","location":"x"})", "bad value"}}) {
    EXPECT_NE(service.Control(command).find(answer), std::string::npos) << command;
  }
  auto pipe = OpenServicePipe(folder);
  uint8_t reference = 0;
  EXPECT_EQ(SendShortMessage(*pipe, false, "+1", TextBlock("x"), reference), 0x77u);
  EXPECT_EQ(SendShortMessage(*pipe, false, "+1", TextBlock("x"), reference), 0u);
}

TEST(IpcEndpoint, SocketFolderComesFromTheEnvironment) {
  const char* saved = std::getenv("ZEPH_IPC_DIR");
  const std::string keep = saved ? saved : "";
  setenv("ZEPH_IPC_DIR", "/run/zeph-test", 1);
  EXPECT_EQ(IpcSocketPath(DefaultIpcDir(), "TavikZeph"), "/run/zeph-test/TavikZeph.sock");
  unsetenv("ZEPH_IPC_DIR");
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); !runtime || !*runtime) {
    EXPECT_EQ(DefaultIpcDir(), "/tmp/zeph-" + std::to_string(getuid()));
  }
  if (saved) setenv("ZEPH_IPC_DIR", keep.c_str(), 1);
}

}  // namespace
}  // namespace zeph
