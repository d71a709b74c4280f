// The SIM contact rules against the real card service.

#include "core/folders/sim_contacts.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/util/fixed_text.h"
#include "support/engine_fixture.h"

namespace zeph {
namespace {

using nlohmann::json;
using testing::EngineFixture;

class SimContactsTest : public EngineFixture {
 protected:
  SimContactsTest() : pipe_(testing::OpenServicePipe(folder_)) {}

  // The next `count` requests with this id get the error reply.
  void Refuse(uint32_t id, int count = 1) {
    service_.Control(R"({"verb":"fault","errorReply":)" + std::to_string(id) + R"(,"count":)" +
                     std::to_string(count) + "}");
  }
  // "location name number" of every entry on the SIM, in location order.
  std::vector<std::string> OnSim() {
    std::vector<std::string> entries;
    const json reply = json::parse(service_.Control(R"({"verb":"sim-list"})"));
    for (const json& entry : reply["entries"]) {
      entries.push_back(std::to_string(entry["location"].get<int>()) + " " +
                        entry["name"].get<std::string>() + " " +
                        entry["number"].get<std::string>());
    }
    return entries;
  }
  // "location name number" of every entry of the list, in list order.
  std::vector<std::string> InList() const {
    std::vector<std::string> entries;
    for (const ContactEntry& entry : lists_.contacts) {
      entries.push_back(std::to_string(entry.location) + " " + FieldText(entry.name) + " " +
                        FieldText(entry.number));
    }
    return entries;
  }
  ContactSaveOutcome New(const std::string& name, const std::string& number) {
    return SaveContactInformation(pipe_.get(), lists_.contacts, {}, name, number);
  }

  std::unique_ptr<IpcPipe> pipe_;
};

TEST_F(SimContactsTest, NewEntriesAreWrittenUnlessTooShortOrDuplicate) {
  struct Case {
    const char* name;
    const char* number;
    ContactSaveOutcome outcome;
  };
  const Case cases[] = {
      {"A", "12", ContactSaveOutcome::kTooShort},
      {"Al", "1", ContactSaveOutcome::kAdded},   // a two-character name is enough
      {"A", "123", ContactSaveOutcome::kAdded},  // so is a three-digit number
      {"Al", "1", ContactSaveOutcome::kDuplicate},
      {"Al", "12", ContactSaveOutcome::kAdded},  // same name, another number
      {"al", "1", ContactSaveOutcome::kAdded},   // duplicates are exact
  };
  for (const Case& c : cases) EXPECT_EQ(New(c.name, c.number), c.outcome) << c.name << c.number;
  const std::vector<std::string> written{"1 Al 1", "2 A 123", "3 Al 12", "4 al 1"};
  EXPECT_EQ(InList(), written);
  EXPECT_EQ(OnSim(), written);
}

TEST_F(SimContactsTest, RefusalsChangeNothingInTheList) {
  ASSERT_EQ(New("Anna", "+15550101"), ContactSaveOutcome::kAdded);
  ASSERT_EQ(New("Ben", "+15550102"), ContactSaveOutcome::kAdded);
  const ContactEdit editBen{true, 1, lists_.contacts.GetAt(1)->location};
  EXPECT_EQ(SaveContactInformation(pipe_.get(), lists_.contacts, editBen, "Benjamin", "+1555"),
            ContactSaveOutcome::kUpdated);  // the list after it is checked at the end

  Refuse(wire::kReplaceEntryId);
  EXPECT_EQ(SaveContactInformation(pipe_.get(), lists_.contacts, editBen, "Bob", "+1"),
            ContactSaveOutcome::kUpdateRefused);
  Refuse(wire::kAddEntryId);
  EXPECT_EQ(New("Clara", "+15550103"), ContactSaveOutcome::kAddRefused);
  EXPECT_EQ(SaveContactInformation(nullptr, lists_.contacts, {}, "Dora", "+15550104"),
            ContactSaveOutcome::kAddRefused);
  // An index the list no longer has is not written at all.
  EXPECT_EQ(SaveContactInformation(pipe_.get(), lists_.contacts, {true, 5, 2}, "Eve", "+1"),
            ContactSaveOutcome::kUpdateRefused);
  const std::vector<std::string> unchanged{"1 Anna +15550101", "2 Benjamin +1555"};
  EXPECT_EQ(InList(), unchanged);
  EXPECT_EQ(OnSim(), unchanged);
}

TEST_F(SimContactsTest, NameLimitComesFromTheSimOrIs19) {
  EXPECT_EQ(GetNameLimit(pipe_.get()), 20u);
  Refuse(wire::kPhonebookLimitsId);
  EXPECT_EQ(GetNameLimit(pipe_.get()), 19u);
  EXPECT_EQ(GetNameLimit(nullptr), 19u);
}

TEST_F(SimContactsTest, CardNumbersStopAtARefusedWriteKeepingWhatWasWritten) {
  // A SIM with room for one entry more: the second write is refused.
  for (int i = 0; i < 249; ++i) {
    service_.Control(R"({"verb":"sim-add","name":"x","number":")" + std::to_string(i) + "\"}");
  }
  const CardSaveResult result = SaveCardNumbers(pipe_.get(), lists_.contacts,
                                                "Annabelle Bergstroem-Lind", {"+49 170-12", "222"});
  EXPECT_EQ(std::pair(result.saved, result.failed), std::pair(1, true));
  EXPECT_EQ(InList(), (std::vector<std::string>{"250 Annabelle Bergstroe +4917012"}));
  EXPECT_EQ(SaveCardNumbers(pipe_.get(), lists_.contacts, "Eva", {}).failed, false);
}

}  // namespace
}  // namespace zeph
