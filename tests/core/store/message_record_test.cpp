#include "core/store/message_record.h"

#include <gtest/gtest.h>

#include "core/util/fixed_text.h"

namespace zeph {
namespace {

std::unique_ptr<MessageRecord> RecordWithText(size_t length) {
  auto record = CreateMessageRecord();
  record->text = std::string(length, 'x');
  return record;
}

TEST(CopyMessageRecordTest, CutsTextsLongerThanTheLongMessageLimit) {
  auto longer = RecordWithText(1065);
  auto copy = CopyMessageRecord(*longer);
  EXPECT_EQ(copy->text->size(), 1063u);
  EXPECT_EQ(longer->text->size(), 1065u);

  auto atLimit = RecordWithText(1064);
  EXPECT_EQ(CopyMessageRecord(*atLimit)->text->size(), 1064u);
}

TEST(CopyMessageRecordTest, CopiesThePictureOnlyWithThePictureFlag) {
  auto record = CreateMessageRecord();
  PictureImage picture{};
  picture[0] = 0x80;
  record->picture = picture;
  EXPECT_FALSE(CopyMessageRecord(*record)->picture.has_value());

  record->flags = MRF_PICTURE;
  auto copy = CopyMessageRecord(*record);
  ASSERT_TRUE(copy->picture.has_value());
  EXPECT_EQ(*copy->picture, picture);
}

TEST(CopyMessageRecordTest, IsDeepAndKeepsEveryField) {
  auto record = CreateMessageRecord();
  record->time = {2002, 12, 4, 5, 9, 5, 30, 0};
  record->flags = MRF_OUTGOING | MRF_WAITING;
  record->reference = 42;
  record->text = "hello";
  record->serviceCentre = MakeField<kServiceCentreSize>("+4477000");
  AddNumber(*record, "+441234567890");
  AddNumber(*record, "0123");

  auto copy = CopyMessageRecord(*record);
  EXPECT_EQ(copy->time, record->time);
  EXPECT_EQ(copy->flags, record->flags);
  EXPECT_EQ(copy->reference, 42);
  EXPECT_EQ(copy->serviceCentre, record->serviceCentre);
  ASSERT_EQ(copy->numbers.Count(), 2);
  EXPECT_NE(copy->numbers.GetAt(0), record->numbers.GetAt(0));
  EXPECT_EQ(FirstNumber(*copy), "+441234567890");
  EXPECT_EQ(FieldText(*copy->numbers.GetAt(1)), "0123");

  record->text->assign("changed");
  EXPECT_EQ(*copy->text, "hello");
}

TEST(CopyMessageRecordTest, ScratchRecordWithoutTextStaysWithout) {
  auto scratch = CreateMessageRecord();
  EXPECT_FALSE(CopyMessageRecord(*scratch)->text.has_value());
  EXPECT_EQ(FirstNumber(*scratch), "");
}

TEST(MessageRecordTest, OutboxStatesAreExclusive) {
  MessageRecord record;
  record.flags = MRF_OUTGOING | MRF_WAITING;
  SetOutboxState(record, MRF_SENDING);
  EXPECT_EQ(record.flags, MRF_OUTGOING | MRF_SENDING);
  SetOutboxState(record, MRF_GAVEUP);
  EXPECT_EQ(record.flags, MRF_OUTGOING | MRF_GAVEUP);
}

TEST(MessageRecordTest, NumbersAreCutToTheirBlock) {
  MessageRecord record;
  AddNumber(record, std::string(30, '7'));
  EXPECT_EQ(FirstNumber(record), std::string(23, '7'));
}

}  // namespace
}  // namespace zeph
