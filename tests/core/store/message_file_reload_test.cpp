#include <gtest/gtest.h>

#include "core/store/message_file.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::At;
using testing::Message;

// Two records with a picture and two numbers, then three plain ones: a
// reload from either into a list holding the other must leave nothing of
// the records read over.
MessageList Richer() {
  MessageList list;
  for (int i = 0; i < 2; ++i) {
    auto record = Message("+358401", std::string(300, static_cast<char>('a' + i)),
                          At(2026, 3, 1 + i, 9, 30), MRF_READ | MRF_PICTURE);
    AddNumber(*record, "+358402");
    record->picture = PictureImage{};
    record->picture->fill(static_cast<uint8_t>(0x11 * (i + 1)));
    record->reference = 7;
    list.Add(std::move(record));
  }
  return list;
}

MessageList Plainer() {
  MessageList list;
  for (int i = 0; i < 3; ++i) {
    list.Add(Message("+44770" + std::to_string(i), "ok", At(2025, 1, 2, 3, 4), MRF_OUTGOING));
  }
  return list;
}

struct ReloadCase {
  const char* name;
  MessageList (*before)();
  MessageList (*after)();
};

void PrintTo(const ReloadCase& reload, std::ostream* out) { *out << reload.name; }

class MessageFileReloadTest : public ::testing::TestWithParam<ReloadCase> {};

TEST_P(MessageFileReloadTest, ALoadIntoAFullListHoldsExactlyTheFile) {
  testing::TempFolder folder;
  const std::string first = (folder.path() / "first.sms").string();
  const std::string second = (folder.path() / "second.sms").string();
  ASSERT_NE(SaveMessageFile(first, GetParam().before()), 0);
  const MessageList expected = GetParam().after();
  ASSERT_NE(SaveMessageFile(second, expected), 0);

  MessageList list;
  ASSERT_EQ(LoadMessageFile(first, list), GetParam().before().Count());
  ASSERT_EQ(LoadMessageFile(second, list), expected.Count());
  EXPECT_EQ(SerializeMessageFile(list), SerializeMessageFile(expected));
  // The file's bytes leave out a picture without its flag: check it apart.
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.GetAt(i)->picture.has_value(), (list.GetAt(i)->flags & MRF_PICTURE) != 0) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Reload, MessageFileReloadTest,
                         ::testing::Values(ReloadCase{"Shrinking", Richer, Plainer},
                                           ReloadCase{"Growing", Plainer, Richer}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MessageFileReload, ACutOrMissingFileLeavesOnlyWhatItHolds) {
  testing::TempFolder folder;
  const std::string path = (folder.path() / "cut.sms").string();
  ASSERT_NE(SaveMessageFile(path, Plainer()), 0);
  MessageList list;
  ASSERT_EQ(LoadMessageFile(path, list), 3);

  // Cut inside the second record: the first stays, the rest of the list goes.
  auto bytes = SerializeMessageFile(Plainer());
  std::filesystem::resize_file(path, bytes.size() - 100);
  EXPECT_EQ(LoadMessageFile(path, list), 1);
  EXPECT_EQ(FirstNumber(*list.GetAt(0)), "+447700");

  std::filesystem::remove(path);
  EXPECT_EQ(LoadMessageFile(path, list), 0);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace zeph
