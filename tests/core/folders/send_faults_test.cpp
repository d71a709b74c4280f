// The send engine under the card service's faults and a killed sender: no
// queued message is lost, and none is sent twice except the one a killed
// sender had in flight.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "core/folders/outbox_queue.h"
#include "core/store/message_file.h"
#include "support/engine_fixture.h"
#include "support/records.h"

namespace zeph {
namespace {

using namespace std::chrono_literals;
using testing::EngineFixture;
using testing::Message;

class SendFaultsTest : public EngineFixture {
 protected:
  void Queue(const std::string& text) {
    QueueOutboxRecord(lists_.outbox, paths_.outbox,
                      Message("+447700900123", text, clock_.LocalTime(), MRF_OUTGOING | MRF_WAITING));
  }
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
    auto reply = nlohmann::json::parse(service_.Control(R"({"verb":"sent-log"})"), nullptr, false);
    if (reply.is_discarded()) return counts;
    for (const auto& sent : reply["messages"]) ++counts[sent["text"].get<std::string>()];
    return counts;
  }
  static std::map<std::string, int> Counted(const std::vector<std::string>& texts) {
    std::map<std::string, int> counts;
    for (const auto& text : texts) ++counts[text];
    return counts;
  }
};

// Killed with a send in flight and restarted while more wait: the records
// stay queued through the outage and go out once the service is back, on
// the engine's own pipe, which connects again by itself.
TEST_F(SendFaultsTest, AKilledAndRestartedServiceSendsEveryWaitingMessageOnce) {
  service_.Control(R"({"verb":"fault","holdSends":true})");
  Queue("in flight");
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_SENDING; }));
  service_.Kill();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_WAITING; }));
  Queue("queued while away");
  Queue("queued while away, too");
  std::this_thread::sleep_for(200ms);  // passes find no service
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

// A frozen service and a slow one hold the engine up, but a slow send is
// neither taken for a failure nor sent again.
TEST_F(SendFaultsTest, AStalledServiceDelaysButNeverDuplicates) {
  service_.Control(R"({"verb":"fault","delayMs":80})");
  const std::vector<std::string> texts = QueueNumbered(4);
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_SENDING; }));
  service_.Freeze(true);
  // The Outbox view's refreshes and the clock go on meanwhile.
  for (int i = 0; i < 10; ++i) {
    {
      ScopedLock hold(lists_.outbox);
      AddMissingRetryEntries(lists_.outbox, retries_, clock_.TickCount());
    }
    clock_.Advance(1000);
    std::this_thread::sleep_for(100ms);
  }
  EXPECT_EQ(OutboxCount(), 4);
  EXPECT_EQ(OutboxState(0), MRF_SENDING);
  service_.Freeze(false);

  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  EXPECT_EQ(SentOnCard(), Counted(texts));
  EXPECT_EQ(Texts(lists_.sent), texts);
  EXPECT_EQ(Texts(lists_.reports).size(), texts.size());
}

// Runs the sender as a process of its own, to be killed with SIGKILL.
class SenderProcess {
 public:
  explicit SenderProcess(const std::string& folder) {
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      execl(ZEPH_SEND_ENGINE_CHILD, ZEPH_SEND_ENGINE_CHILD, folder.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~SenderProcess() { Kill(); }
  SenderProcess(const SenderProcess&) = delete;
  SenderProcess& operator=(const SenderProcess&) = delete;

  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
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

// A sender killed at any moment of a pass leaves whole files and every
// message in the Outbox or in Sent messages; in both only for the one it
// had in flight, still saved "Sending...", which the next start sends
// again.
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

  // Killed wherever the pass happens to be once a few went out. The slow
  // card keeps most of them queued however late the kill comes.
  service_.Control(R"({"verb":"fault","delayMs":30})");
  {
    SenderProcess sender(folder_.path().string());
    ASSERT_TRUE(WaitUntil([&] { return ReadSaved(paths_.sent).texts.size() >= 3; }));
    sender.Kill();
  }
  checkFiles("killed in the middle of a pass");

  // Killed while the card holds its send: the record stays "Sending...".
  service_.Control(R"({"verb":"fault","holdSends":true})");
  {
    SenderProcess sender(folder_.path().string());
    ASSERT_TRUE(WaitUntil([&] { return ReadSaved(paths_.outbox).sending == 1; }));
    sender.Kill();
  }
  const SavedFile left = checkFiles("killed during a send");
  ASSERT_EQ(left.sending, 1);

  // The next start sends everything left, the record left "Sending..." too.
  service_.Control(R"({"verb":"fault","clear":true})");
  const int heldSentBefore = SentOnCard()[left.sendingText];
  {
    ScopedLock hold(lists_.outbox);
    LoadMessageFile(paths_.outbox, lists_.outbox);
  }
  {
    ScopedLock hold(lists_.sent);
    LoadMessageFile(paths_.sent, lists_.sent);
  }
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
