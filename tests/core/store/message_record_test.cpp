#include "core/store/message_record.h"

#include <gtest/gtest.h>

#include "core/util/fixed_text.h"
#include "support/records.h"

namespace zeph {
namespace {

// The other fields' copies are checked where the composer and the send engine copy records.
TEST(CopyMessageRecordTest, KeepsEveryNumber) {
  auto record = testing::Message("+441234567890", "hello");
  AddNumber(*record, "0123");
  auto copy = CopyMessageRecord(*record);
  ASSERT_EQ(copy->numbers.Count(), 2);
  EXPECT_EQ(FieldText(*copy->numbers.GetAt(1)), "0123");
  EXPECT_EQ(FirstNumber(*CreateMessageRecord()), "");  // a record without numbers
}

TEST(CopyMessageRecordTest, CutsTextsPastTheLongMessageLimitAndPicturesWithoutTheFlag) {
  for (auto [length, copied] : {std::pair{1065u, 1063u}, {1064u, 1064u}}) {
    auto record = testing::Message("1", std::string(length, 'x'));
    EXPECT_EQ(CopyMessageRecord(*record)->text->size(), copied) << length;
    EXPECT_EQ(record->text->size(), length);
  }
  auto record = CreateMessageRecord();
  record->picture = testing::NumberedPicture();
  EXPECT_FALSE(CopyMessageRecord(*record)->picture.has_value());
  record->flags = MRF_PICTURE;
  EXPECT_EQ(CopyMessageRecord(*record)->picture, record->picture);
}

}  // namespace
}  // namespace zeph
