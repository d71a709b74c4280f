#include <gtest/gtest.h>

#include "core/store/message_file.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::At;
using testing::Message;

// Two records with a picture and two numbers, or three plain ones.
MessageList Records(bool rich) {
  MessageList list;
  for (int i = 0; i < (rich ? 2 : 3); ++i) {
    auto record = Message("+44770" + std::to_string(i), rich ? std::string(300, 'a') : "ok",
                          At(2026, 3, 1 + i, 9, 30), rich ? MRF_PICTURE : MRF_OUTGOING);
    if (rich) {
      AddNumber(*record, "+358402");
      record->picture = PictureImage{};
      record->picture->fill(static_cast<uint8_t>(0x11 * (i + 1)));
    }
    list.Add(std::move(record));
  }
  return list;
}

// A load into a list that holds records reads into them: nothing of what
// they held may survive, whichever way the list changes size.
TEST(MessageFileReload, ALoadIntoAFullListHoldsExactlyTheFile) {
  testing::TempFolder folder;
  const std::string rich = (folder.path() / "rich.sms").string();
  const std::string plain = (folder.path() / "plain.sms").string();
  ASSERT_NE(SaveMessageFile(rich, Records(true)), 0);
  ASSERT_NE(SaveMessageFile(plain, Records(false)), 0);
  for (const bool plainFirst : {false, true}) {
    MessageList list;
    ASSERT_NE(LoadMessageFile(plainFirst ? plain : rich, list), 0);
    ASSERT_NE(LoadMessageFile(plainFirst ? rich : plain, list), 0);
    EXPECT_EQ(SerializeMessageFile(list), SerializeMessageFile(Records(plainFirst))) << plainFirst;
    // The file's bytes leave out a picture without its flag: check it apart.
    for (const MessageRecord& record : list) {
      EXPECT_EQ(record.picture.has_value(), (record.flags & MRF_PICTURE) != 0) << plainFirst;
    }
  }

  // Cut inside the second record: the first stays, the rest of the list goes.
  MessageList list;
  ASSERT_EQ(LoadMessageFile(plain, list), 3);
  std::filesystem::resize_file(plain, SerializeMessageFile(Records(false)).size() - 100);
  EXPECT_EQ(LoadMessageFile(plain, list), 1);
  EXPECT_EQ(FirstNumber(*list.GetAt(0)), "+447700");
}

}  // namespace
}  // namespace zeph
