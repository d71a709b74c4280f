// The Outbox and Delivery reports in the frame, against the card service.

#include <QPushButton>
#include <atomic>
#include <chrono>

#include "app/base/control_id.h"
#include "app/folders/folder_list_view.h"
#include "app/folders/outbox_module.h"
#include "app/folders/reports_module.h"
#include "core/folders/folder_status.h"
#include "core/folders/outbox_queue.h"
#include "core/startup/command_line.h"
#include "support/folders_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

// The tick count moves only when the test says so; what the program makes
// is dated by the system clock's date.
class SteppedClock final : public Clock {
 public:
  uint32_t TickCount() const override { return ticks_.load(); }
  RecordTime LocalTime() const override { return system_.LocalTime(); }
  void Advance(uint32_t ms) { ticks_ += ms; }

 private:
  SystemClock system_;
  std::atomic<uint32_t> ticks_{100000};
};

class OutboxTest : public FoldersFixture {
 protected:
  OutboxTest() : FoldersFixture({"--demo", "-v"}) {
    services.clock = &ticks;
    // Passes 20 ms apart, so that the test waits for ticks, not seconds.
    setup.createModule = [](int index, const ModuleServices& given, QWidget* parent) {
      if (index == kOutboxModule) {
        return std::unique_ptr<ModulePage>(std::make_unique<OutboxModule>(
            index, given,
            OutboxSetup{std::chrono::milliseconds(20), std::chrono::milliseconds(1000)}, parent));
      }
      return CreateProgramModule(index, given, parent);
    };
  }

  // The send thread reads the clock until the frame's end stops it.
  ~OutboxTest() override { frame.reset(); }

  OutboxModule* Outbox() const { return static_cast<OutboxModule*>(frame->Module(1)); }
  ReportsModule* Reports() const { return static_cast<ReportsModule*>(frame->Module(3)); }

  // Queues a text as the message editor does, and refreshes the module on
  // screen as the editor's start-up wiring does.
  void Queue(const char* to, const char* text) {
    auto record = Message(to, text, ticks.LocalTime(), MRF_OUTGOING | MRF_WAITING);
    static_cast<void>(
        QueueOutboxRecord(store.Lists().outbox, store.Paths().outbox, std::move(record)));
    frame->CurrentModule()->Refresh(RefreshReason::kReload);
  }

  // The send requests the card service answered so far.
  int SendAttempts() const {
    const std::string log = service.Log();
    int count = 0;
    for (size_t at = 0; (at = log.find("0x290000 ->", at)) != std::string::npos; ++at) ++count;
    return count;
  }

  SteppedClock ticks;
};

TEST_F(OutboxTest, AFailingSendWaitsThenFailsUntilResent) {
  service.Control(R"({"verb":"fault","failSends":5,"failStatus":1056})");
  frame = MakeFrame(1);
  Queue("+15550101", "Train is late");

  for (int attempt = 1;; ++attempt) {
    SCOPED_TRACE(attempt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return SendAttempts() == attempt; }, 5000));
    if (attempt == kMaxSendAttempts) break;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Cells(*Outbox(), 2) == QStringList{"Waiting"}; }));
    EXPECT_FALSE(Outbox()->ResendButton()->isEnabled());
    ticks.Advance(kRetryPauseMs);  // how long it waits is the send engine's rule
  }
  // The fifth failure is the last: the next pass gives up (and files it so: the engine's test).
  ASSERT_TRUE(QTest::qWaitFor([&] { return Cells(*Outbox(), 2) == QStringList{"Failed"}; }));

  // Resend is for the failed record alone, and sends it (the card takes
  // it now): it leaves the Outbox for Sent messages.
  ASSERT_TRUE(QTest::qWaitFor([&] { return Outbox()->ResendButton()->isEnabled(); }));
  EXPECT_TRUE(FindControl(Outbox(), ControlId::kResendAll)->isHidden());
  EXPECT_FALSE(frame->Action(CommandId::kSavePicture)->isEnabled());  // it has no preview
  QTest::mouseClick(Outbox()->ResendButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return FileRecords(store.Paths().outbox)->Count() == 0; }));
  EXPECT_EQ(SendAttempts(), kMaxSendAttempts + 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Outbox()->Model()->rowCount() == 0; }));
  ScopedLock hold(store.Lists().sent);
  EXPECT_EQ(TextsOf(store.Lists().sent), std::vector<std::string>{"Train is late"});
}

TEST_F(OutboxTest, DeleteAllLeavesTheRecordBeingSentAndTheStopLeavesItWaiting) {
  service.Control(R"({"verb":"fault","holdSends":true})");
  frame = MakeFrame(1);
  Queue("+15550101", "first");
  Queue("+15550102", "second");
  Queue("+15550103", "third");
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return Cells(*Outbox(), 2) == QStringList{"Sending...", "Waiting", "Waiting"};
  }));

  Choose(*frame, CommandId::kDeleteAll);  // the frame asks first (its test); the asker says yes
  EXPECT_EQ(Cells(*Outbox(), 2), QStringList{"Sending..."});  // what stays in the file is core's

  // The send is never answered: the frame's end cancels it after the
  // stop's grace, and the record waits in its file to be sent next time.
  frame.reset();
  auto file = FileRecords(store.Paths().outbox);
  ASSERT_EQ(file->Count(), 1);
  EXPECT_TRUE(file->GetAt(0)->flags & MRF_WAITING);
}

TEST_F(OutboxTest, AReportShowsItsPendingEntryDeliveredAndClearListEmptiesTheFolder) {
  // An entry left pending by an earlier send, with the card's reference 7 (which report
  // replaces which is the reception engine's).
  MessageList reports;
  auto earlier =
      Message("+15550104", "Lunch at one?...", At(2024, 5, 2, 12, 30), MRF_OUTGOING | MRF_SENDING);
  earlier->reference = 7;
  reports.Add(std::move(earlier));
  ASSERT_EQ(SaveMessageFile(store.Paths().reports, reports), 1);
  service.Control(R"({"verb":"send-options","deliveryReports":true})");
  frame = MakeFrame(3);
  ASSERT_EQ(Cells(*Reports(), 2), QStringList{"Pending"});

  // A message sent now gets its pending entry after it, with the excerpt;
  // the card reports it delivered two seconds later.
  Queue("+15550101", "See you at the north entrance");
  ASSERT_TRUE(QTest::qWaitFor([&] { return FileRecords(store.Paths().reports)->Count() == 2; }));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return Cells(*Reports(), 2) == QStringList{"Pending", "Delivered"};
      },
      8000));
  EXPECT_EQ(Cells(*Reports(), 1)[1], "See you at the nor...");

  // "&Clear List" asks nothing, empties the folder and its file, and goes
  // off with the rows.
  ASSERT_TRUE(Reports()->ClearButton()->isEnabled());
  QTest::mouseClick(Reports()->ClearButton(), Qt::LeftButton);
  EXPECT_TRUE(asker.questions.empty());
  EXPECT_EQ(Reports()->Model()->rowCount(), 0);
  EXPECT_EQ(FileRecords(store.Paths().reports)->Count(), 0);
  EXPECT_FALSE(Reports()->ClearButton()->isEnabled());
}

}  // namespace
}  // namespace zeph::testing
