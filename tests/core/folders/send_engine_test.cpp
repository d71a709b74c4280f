// The send engine against the real card service.

#include <gtest/gtest.h>

#include "core/codecs/business_card.h"
#include "core/devicelink/result_codes.h"
#include "core/store/message_file.h"
#include "support/engine_fixture.h"

namespace zeph {
namespace {

using namespace std::chrono_literals;
using testing::EngineFixture;
using testing::Message;

class SendEngineTest : public EngineFixture {
 protected:
  // Lets fake time run a second at a time until `done` holds.
  bool RunFakeTimeUntil(const std::function<bool()>& done) {
    return WaitUntil([&] {
      clock_.Advance(1000);
      std::this_thread::sleep_for(10ms);
      return done();
    });
  }
  // The Outbox state of the one record in the saved Outbox file.
  uint32_t SavedOutboxState() {
    MessageList saved;
    if (LoadMessageFile(paths_.outbox, saved) != 1) return 0;
    return saved.GetAt(0)->flags & MRF_OUTBOX_STATES;
  }
};

TEST_F(SendEngineTest, QueuedMessagesAreSentInOrderAndFiledWithPendingReports) {
  const std::string card = BuildBusinessCard("Anna", "+447700900123");
  Queue("The first message of three");
  Queue("line one\r\nline\ttwo");  // line breaks and tabs go, filed and excerpted, as blanks
  Queue(card, MRF_BUSINESSCARD);
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();

  // The card's log as "kind reference text", and each pending entry as "reference excerpt".
  std::vector<std::string> log, pending;
  for (const auto& sent : SentLog())
    log.push_back(sent["kind"].dump() + " " + sent["reference"].dump() + " " +
                  sent["text"].get<std::string>());
  EXPECT_EQ(log, (std::vector<std::string>{"4 0 The first message of three",
                                           "4 1 line one  line two", "5 2 " + card}));
  // Business cards are not filed in Sent messages.
  EXPECT_EQ(Texts(lists_.sent),
            (std::vector<std::string>{"The first message of three", "line one  line two"}));
  ScopedLock hold(lists_.reports);
  for (const MessageRecord& entry : lists_.reports) {
    EXPECT_EQ(entry.flags & (MRF_SENDING | MRF_WAITING | MRF_REPORT), MRF_SENDING | MRF_WAITING);
    pending.push_back(std::to_string(entry.reference) + " " + TextOf(entry));
  }
  EXPECT_EQ(pending, (std::vector<std::string>{"0 The first message ...", "1 line one  line two...",
                                               "2 Business Card"}));
}

// The folders reload Sent and Delivery reports while the thread files: every copy stays whole.
TEST_F(SendEngineTest, FilingStaysWholeWhileTheFoldersReloadTheirFiles) {
  for (int i = 0; i < 20; ++i) Queue("message " + std::to_string(i));
  StartEngine();
  int reloads = 0;
  while (OutboxCount() > 0 && reloads < 100000) {
    Reload(lists_.sent, paths_.sent);
    Reload(lists_.reports, paths_.reports);
    ++reloads;
  }
  StopEngine();
  EXPECT_EQ(OutboxCount(), 0);
  EXPECT_EQ(Texts(lists_.sent).size(), 20u);
  EXPECT_EQ(Texts(lists_.reports).size(), 20u);
}

// With the Outbox on screen the engine gives the entry itself, so the first attempt counts too.
TEST_F(SendEngineTest, FailedSendsWaitFiveSecondsAndGiveUpAfterFiveAttempts) {
  service_.Control(R"({"verb":"fault","failSends":100,"failStatus":1056})");
  Queue("never arrives");
  Engine().SetOutboxShown(true);
  StartEngine();

  ASSERT_TRUE(RunFakeTimeUntil([&] { return OutboxState(0) == MRF_GAVEUP; }));
  std::vector<uint32_t> times = SendTimes();
  ASSERT_EQ(times.size(), 5u);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], 5000u) << i;

  // Given up: no more attempts however long it waits (a send would come before the third ask).
  clock_.Advance(60000);
  ASSERT_TRUE(WaitForConnectionChecks(3));
  EXPECT_EQ(SendTimes().size(), 5u);
  StopEngine();
  EXPECT_EQ(SavedOutboxState(), MRF_GAVEUP);
}

// Stop ends within the grace in every state of the thread, also under the Outbox lock.
TEST_F(SendEngineTest, StopEndsInEveryStateAlsoUnderTheOutboxLock) {
  sendPipeOpenTimeoutMs_ = wire::kOpenTimeoutMs;
  struct Case {
    const char* state;
    const char* setup;  // control command putting the thread in that state
    bool queued;
  };
  const Case cases[] = {
      {"opening, the open never answered", R"({"verb":"fault","silentOpens":true})", true},
      {"sending, the send never answered", R"({"verb":"fault","holdSends":true})", true},
      {"waiting for a connection", R"({"verb":"connection","state":"none"})", true},
      {"between passes", R"({"verb":"fault","clear":true})", false},
  };
  stopGrace_ = 200ms;  // then the stop cancels; a stop that cannot hangs the test
  for (const Case& c : cases) {
    for (bool holdOutbox : {false, true}) {
      SCOPED_TRACE(std::string(c.state) + (holdOutbox ? ", Outbox lock held" : ""));
      service_.Control(R"({"verb":"fault","clear":true})");
      service_.Control(R"({"verb":"connection","state":"gprs"})");
      service_.Control(c.setup);
      if (c.queued && OutboxCount() == 0) Queue("stays");
      opening_ = false;
      engine_.reset();
      StartEngine();
      if (std::string(c.setup).find("holdSends") != std::string::npos) {
        ASSERT_TRUE(WaitUntil([&] { return OutboxState(0) == MRF_SENDING; }));
      } else if (&c == &cases[0]) {
        ASSERT_TRUE(WaitUntil([&] { return opening_.load(); }));
      } else {
        ASSERT_TRUE(WaitForConnectionChecks(2));
      }
      if (holdOutbox) {
        ScopedLock hold(lists_.outbox);
        StopEngine();
      } else {
        StopEngine();
      }
      EXPECT_TRUE(engine_->Finished());
      EXPECT_EQ(engine_->Result(), &c == &cases[0] ? kIpcCancelled : 0u);  // the open, cancelled
      if (c.queued) {
        EXPECT_EQ(OutboxState(0), MRF_WAITING);
        EXPECT_EQ(SavedOutboxState(), MRF_WAITING);
      }
    }
  }
}

// Queue ids are reused: a sent record's retry entry must go with it.
TEST_F(SendEngineTest, ARecordWithAReusedQueueIdStartsFromNoAttempts) {
  service_.Control(R"({"verb":"fault","failSends":4})");
  Queue("first");
  Engine().GiveRetryEntries();
  StartEngine();
  ASSERT_TRUE(RunFakeTimeUntil([&] { return OutboxCount() == 0; }));  // at the fifth attempt
  Queue("second");
  {
    ScopedLock hold(lists_.outbox);
    ASSERT_TRUE(lists_.outbox.Count() == 0 || lists_.outbox.GetAt(0)->reference == 1);
  }
  Engine().GiveRetryEntries();
  ASSERT_TRUE(RunFakeTimeUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  nlohmann::json log = SentLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1]["text"], "second");
}

// Queued past the last queue id, records wait for ids of their own, then get five attempts each.
TEST_F(SendEngineTest, RecordsQueuedPastTheLastQueueIdEachGetFiveAttemptsOfTheirOwn) {
  {
    ScopedLock hold(lists_.outbox);
    for (int i = 0; i < 257; ++i) {
      auto record = Message("+447700900123", "past the ids", {}, MRF_OUTGOING | MRF_WAITING);
      record->reference = NewOutboxReference(lists_.outbox);
      lists_.outbox.Add(std::move(record));
    }
    for (int i = 0; i < 255; ++i) ASSERT_EQ(lists_.outbox.RemoveAt(0), 1);
  }
  service_.Control(R"({"verb":"fault","failSends":1000})");
  Engine().GiveRetryEntries();
  StartEngine();
  ASSERT_TRUE(RunFakeTimeUntil([&] {
    Engine().GiveRetryEntries();
    return OutboxState(0) == MRF_GAVEUP && OutboxState(1) == MRF_GAVEUP;
  }));
  StopEngine();
  ScopedLock hold(lists_.outbox);
  for (uint32_t id : {1u, 2u}) {
    EXPECT_EQ(lists_.outbox.GetAt(static_cast<int>(id) - 1)->reference, id);
    EXPECT_EQ(engine_->RetryEntryOf(id).value_or(RetryEntry{}).attempts, kMaxSendAttempts);
  }
}

TEST_F(SendEngineTest, ReplyPathRoutesThroughTheRepliedMessagesCentre) {
  auto reply = Message("+447700900123", "answer", clock_.LocalTime(),
                       MRF_OUTGOING | MRF_REPLYPATH | MRF_WAITING);
  SetFieldText(reply->serviceCentre, "+449999");
  QueueOutboxRecord(lists_.outbox, paths_.outbox, std::move(reply));
  service_.Control(R"({"verb":"send-options","replyPath":true,"deliveryReports":false})");
  Queue("new message");
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  // Centre and reply-path bit: the reply's sender asked already, the new one uses the card's.
  std::vector<std::pair<std::string, bool>> routes;
  for (const auto& sent : SentLog()) routes.emplace_back(sent["serviceCentre"], sent["replyPath"]);
  EXPECT_EQ(routes, (decltype(routes){{"+449999", false}, {"+15550000", true}}));
  EXPECT_TRUE(Texts(lists_.reports).empty());  // reports are off: no pending entries
}

}  // namespace
}  // namespace zeph
