// Reception against the real card service.

#include "core/folders/reception.h"

#include <gtest/gtest.h>

#include "core/codecs/business_card.h"
#include "core/store/message_file.h"
#include "support/engine_fixture.h"

namespace zeph {
namespace {

using testing::EngineFixture;
using testing::TextsOf;

class ReceptionTest : public EngineFixture {
 protected:
  ReceptionTest() : sync_(testing::OpenServicePipe(folder_)) {
    hooks_.showError = [this](int code) { errors_.push_back(code); };
    hooks_.businessCardReceived = [this](const MessageRecord& card) {
      cards_.push_back(TextOf(card));
    };
    hooks_.chatAppended = [this] { ++chatAppended_; };
    hooks_.taken = [this](const MessageRecord& record, bool filed) {
      taken_.emplace_back(TextOf(record), filed);
    };
  }

  int Fetch() {
    ReceptionTargets targets{lists_.inbox,   paths_.inbox, lists_.reports,
                             paths_.reports, lists_.chat,  chatPartner_};
    return FetchNewMessages(*sync_, targets, hooks_);
  }
  void Deliver(const std::string& fields) {
    ASSERT_NE(service_.Control(R"({"verb":"deliver",)" + fields + "}").find("\"ok\":true"),
              std::string::npos)
        << fields;
  }
  size_t StoredOnCard() {
    return nlohmann::json::parse(service_.Control(R"({"verb":"show"})"))["stored"].size();
  }

  std::unique_ptr<IpcPipe> sync_;
  ReceptionHooks hooks_;
  std::vector<int> errors_;
  std::vector<std::string> cards_;
  std::optional<std::string> chatPartner_;
  int chatAppended_ = 0;
  std::vector<std::pair<std::string, bool>> taken_;  // text, filed in the Inbox
};

// One pass takes each kind of arrival by its rule and deletes it on the card:
// texts and unknown data are filed, a business card is handed over instead.
TEST_F(ReceptionTest, EachKindOfArrivalIsTakenByItsRuleAndDeletedOnTheCard) {
  const std::string card = BuildBusinessCard("Bert", "+4917012345");
  const std::string unknown = "<Unknown data message>";
  Deliver(R"("type":"text","text":"Hello","from":"+447700900123")");
  Deliver(R"("type":"text16","text":"Wide","from":"+447700900456")");
  Deliver(R"("type":"business-card","card":)" + nlohmann::json(card).dump());
  Deliver(R"("type":"unknown")");
  EXPECT_EQ(Fetch(), 4);
  EXPECT_EQ(TextsOf(lists_.inbox), (std::vector<std::string>{"Hello", "Wide", unknown}));
  EXPECT_EQ(FirstNumber(*lists_.inbox.GetAt(0)), "+447700900123");
  EXPECT_EQ(taken_,
            (decltype(taken_){{"Hello", true}, {"Wide", true}, {card, false}, {unknown, true}}));
  EXPECT_EQ(cards_, (std::vector<std::string>{card}));
  EXPECT_EQ(errors_, (std::vector<int>{67}));
  EXPECT_EQ(StoredOnCard(), 0u);
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(paths_.inbox, saved), 3);
}

TEST_F(ReceptionTest, SkippedMessagesStayOnTheCardAndNeverReachTheInbox) {
  Deliver(R"("type":"text","text":"held back","status":10)");
  Deliver(R"("type":"text","text":"kind two","kind":2)");
  EXPECT_EQ(Fetch(), 0);  // only third-count messages: nothing read, both files saved
  EXPECT_TRUE(std::filesystem::exists(paths_.inbox));
  EXPECT_TRUE(std::filesystem::exists(paths_.reports));
  Deliver(R"("type":"text","text":"taken")");
  EXPECT_EQ(Fetch(), 1);
  EXPECT_EQ(TextsOf(lists_.inbox), (std::vector<std::string>{"taken"}));
  EXPECT_EQ(StoredOnCard(), 2u);
  EXPECT_EQ(Fetch(), 0);  // read again by every later pass, still skipped
  EXPECT_EQ(StoredOnCard(), 2u);
}

TEST_F(ReceptionTest, ReplaceTypesReplaceOnlyTheSameSenderAndType) {
  Deliver(R"("type":"text","text":"v1","from":"+4411","protocolId":67)");  // type 3
  Fetch();
  Deliver(R"("type":"text","text":"v2","from":"+4411","protocolId":67)");
  Deliver(R"("type":"text","text":"other sender","from":"+4422","protocolId":67)");
  Deliver(R"("type":"text","text":"type four","from":"+4411","protocolId":68)");
  Fetch();
  EXPECT_EQ(TextsOf(lists_.inbox), (std::vector<std::string>{"v2", "other sender", "type four"}));
}

TEST_F(ReceptionTest, MessagesFromTheChatPartnerAlsoGoToTheChat) {
  chatPartner_ = "07700900123";
  Deliver(R"("type":"text","text":"to the chat","from":"+447700900123")");
  Deliver(R"("type":"text","text":"not to the chat","from":"+447700900999")");
  Fetch();
  EXPECT_EQ(TextsOf(lists_.inbox).size(), 2u);
  ASSERT_EQ(lists_.chat.Count(), 1);
  EXPECT_EQ(TextOf(*lists_.chat.GetAt(0)), "to the chat");
  EXPECT_EQ(chatAppended_, 1);
}

TEST_F(ReceptionTest, NoCardServiceEndsThePassAndSavesNothing) {
  service_.Stop();
  EXPECT_EQ(Fetch(), 0);
  EXPECT_FALSE(std::filesystem::exists(paths_.inbox));
}

// The Delivery reports list as MatchReport leaves it: entry texts in order.
TEST(MatchReportTest, RemovesEveryEntryOfTheReferenceAndTakesTheLastText) {
  struct Case {
    std::vector<std::pair<uint8_t, std::string>> entries;
    uint8_t reference;
    std::string text;
    std::vector<std::string> left;
  };
  const Case cases[] = {
      {{{9, "first..."}, {4, "other..."}, {9, "second..."}}, 9, "second...", {"other..."}},
      {{{1, "one"}}, 2, "...", {"one"}},
  };
  for (const Case& c : cases) {
    LockedMessageList reports;
    for (const auto& [reference, text] : c.entries) {
      auto entry = testing::Message("", text);
      entry->reference = reference;
      reports.Add(std::move(entry));
    }
    ScopedLock hold(reports);
    EXPECT_EQ(MatchReport(reports, c.reference), c.text);
    std::vector<std::string> left;
    for (const MessageRecord& entry : reports) left.push_back(TextOf(entry));
    EXPECT_EQ(left, c.left);
  }
}

TEST_F(ReceptionTest, AReportReplacesThePendingEntryAndTakesItsText) {
  Queue("Are you coming tonight?");
  Queue("Other message");
  StartEngine();
  ASSERT_TRUE(WaitUntil([&] { return OutboxCount() == 0; }));
  StopEngine();
  ScopedLock hold(lists_.reports);  // reception takes it again, re-entrantly
  ASSERT_EQ(lists_.reports.Count(), 2);
  const uint8_t reference = lists_.reports.GetAt(0)->reference;

  // The card's delivery reports arrive shortly after each send.
  ASSERT_TRUE(WaitUntil([&] { return StoredOnCard() == 2; }));
  EXPECT_EQ(Fetch(), 2);
  EXPECT_TRUE(taken_.empty());  // reports are no arrivals for the user
  ASSERT_EQ(lists_.reports.Count(), 2);
  for (const MessageRecord& entry : lists_.reports) {
    EXPECT_EQ(entry.flags, MRF_REPORT | MRF_REPORT_DELIVERED);
  }
  const MessageRecord& first = *lists_.reports.GetAt(0);
  EXPECT_EQ(first.reference, reference);
  EXPECT_EQ(TextOf(first), "Are you coming ton...");
  EXPECT_EQ(FirstNumber(first), "+447700900123");

  // A later report for the same reference replaces it again.
  Deliver(R"("type":"report","reference":)" + std::to_string(reference) +
          R"(,"reportStatus":2,"from":"+447700900123")");
  Fetch();
  ASSERT_EQ(lists_.reports.Count(), 2);
  const MessageRecord& last = *lists_.reports.GetAt(1);
  EXPECT_EQ(last.flags, MRF_REPORT | MRF_REPORT_FAILED);
  EXPECT_EQ(TextOf(last), "Are you coming ton...");
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(paths_.reports, saved), 2);
}

}  // namespace
}  // namespace zeph
