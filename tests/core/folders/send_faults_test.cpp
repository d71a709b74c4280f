// The send engine under card service faults and a killed sender: nothing lost or sent twice.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/store/message_file.h"
#include "support/engine_fixture.h"

namespace zeph {
namespace {

using testing::EngineFixture;

class SendFaultsTest : public EngineFixture {
 protected:
  std::vector<std::string> QueueNumbered(int count) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
      texts.push_back("queued " + std::to_string(i));
      Queue(texts.back());
    }
    return texts;
  }
  // How often the card service sent each text.
  std::map<std::string, int> SentOnCard() {
    std::map<std::string, int> counts;
    for (const auto& sent : SentLog()) ++counts[sent["text"].get<std::string>()];
    return counts;
  }
  static std::map<std::string, int> Counted(const std::vector<std::string>& texts) {
    std::map<std::string, int> counts;
    for (const auto& text : texts) ++counts[text];
    return counts;
  }
};

// Killed mid-send and restarted: the records stay queued and go out once it is back.
TEST_F(SendFaultsTest, AKilledAndRestartedServiceSendsEveryWaitingMessageOnce) {
  service_.Control(R"({"verb":"fault","holdSends":true})");
  Queue("in flight");
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_SENDING; }));
  service_.Kill();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_WAITING; }));
  Queue("queued while away");
  Queue("queued while away, too");
  ASSERT_TRUE(WaitForConnectionChecks(2));  // passes find no service
  EXPECT_EQ(OutboxCount(), 3);

  service_.Start(folder_);
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  const std::vector<std::string> all = {"in flight", "queued while away", "queued while away, too"};
  EXPECT_EQ(SentOnCard(), Counted(all));
  EXPECT_EQ(Texts(lists_.sent), all);
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(paths_.outbox, saved), 0);
}

// A frozen or slow service holds the engine up, but a slow send is never sent again.
TEST_F(SendFaultsTest, AStalledServiceDelaysButNeverDuplicates) {
  service_.Control(R"({"verb":"fault","delayMs":80})");
  const std::vector<std::string> texts = QueueNumbered(4);
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_SENDING; }));
  service_.Freeze(true);
  // The Outbox view's refresh and the clock go on meanwhile: the thread
  // waits for its request without the Outbox lock.
  Engine().GiveRetryEntries();
  clock_.Advance(10000);
  EXPECT_EQ(OutboxCount(), 4);
  EXPECT_EQ(OutboxState(0), MRF_SENDING);
  service_.Freeze(false);

  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  EXPECT_EQ(SentOnCard(), Counted(texts));
  EXPECT_EQ(Texts(lists_.sent), texts);
}

// The sender as a process of its own, killed with SIGKILL when it goes out of scope.
struct SenderProcess {
  explicit SenderProcess(const std::string& folder)
      : pid(testing::SpawnChild({ZEPH_SEND_ENGINE_CHILD, folder})) {}
  ~SenderProcess() { testing::KillChild(pid); }
  pid_t pid;
};

struct SavedFile {
  bool wellFormed = false;
  std::vector<std::string> texts;
  int sending = 0;  // records saved "Sending..."
  std::string sendingText;
};

SavedFile ReadSaved(const std::string& path) {
  SavedFile file;
  auto bytes = ReadWholeFile(path);
  if (!bytes) return file;
  MessageList list;
  file.wellFormed = ParseMessageFile(*bytes, list).wellFormed();
  for (const MessageRecord& record : list) {
    file.texts.push_back(TextOf(record));
    if ((record.flags & MRF_OUTBOX_STATES) == MRF_SENDING) {
      ++file.sending;
      file.sendingText = TextOf(record);
    }
  }
  return file;
}

// A sender killed anywhere in a pass loses nothing; the one in flight is sent again.
TEST_F(SendFaultsTest, ASenderKilledDuringAPassLosesNoQueuedMessage) {
  const std::vector<std::string> texts = QueueNumbered(20);
  auto checkFiles = [&](const char* when) {
    SCOPED_TRACE(when);
    const SavedFile outbox = ReadSaved(paths_.outbox);
    const SavedFile sent = ReadSaved(paths_.sent);
    EXPECT_TRUE(outbox.wellFormed);
    EXPECT_TRUE(sent.wellFormed);
    EXPECT_LE(outbox.sending, 1);
    std::map<std::string, int> seen = Counted(outbox.texts);
    for (const auto& text : sent.texts) ++seen[text];
    int inBoth = 0;
    for (const auto& text : texts) {
      EXPECT_GE(seen[text], 1) << text << " lost";
      inBoth += seen[text] - 1;
    }
    EXPECT_LE(inBoth, outbox.sending);
    return outbox;
  };

  // Killed wherever the pass is once a few went out; the slow card keeps most queued.
  service_.Control(R"({"verb":"fault","delayMs":30})");
  {
    SenderProcess sender(folder_.path().string());
    ASSERT_TRUE(WaitUntil([&] { return ReadSaved(paths_.sent).texts.size() >= 3; }));
  }
  checkFiles("killed in the middle of a pass");

  // Killed while the card holds its send: the record stays "Sending...".
  service_.Control(R"({"verb":"fault","holdSends":true})");
  {
    SenderProcess sender(folder_.path().string());
    ASSERT_TRUE(WaitUntil([&] { return ReadSaved(paths_.outbox).sending == 1; }));
  }
  const SavedFile left = checkFiles("killed during a send");
  ASSERT_EQ(left.sending, 1);

  // The next start sends everything left, the record left "Sending..." too.
  service_.Control(R"({"verb":"fault","clear":true})");
  const int heldSentBefore = SentOnCard()[left.sendingText];
  Reload(lists_.outbox, paths_.outbox);
  Reload(lists_.sent, paths_.sent);
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  EXPECT_EQ(SentOnCard()[left.sendingText], heldSentBefore + 1);
  const SavedFile sent = ReadSaved(paths_.sent);
  EXPECT_TRUE(sent.wellFormed);
  std::map<std::string, int> onCard = SentOnCard();
  int twice = 0;
  for (const auto& text : texts) {
    EXPECT_GE(onCard[text], 1) << text << " never sent";
    EXPECT_NE(std::find(sent.texts.begin(), sent.texts.end(), text), sent.texts.end()) << text;
    twice += onCard[text] - 1;
  }
  EXPECT_LE(twice, 1);  // at most the one in flight at the first kill
}

}  // namespace
}  // namespace zeph
