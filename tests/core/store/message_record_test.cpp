#include "core/store/message_record.h"

#include <gtest/gtest.h>

#include "core/util/fixed_text.h"
#include "support/records.h"

namespace zeph {
namespace {

TEST(CopyMessageRecordTest, IsDeepAndKeepsEveryField) {
  auto record = testing::Message("+441234567890", "hello", {2002, 12, 4, 5, 9, 5, 30, 0},
                                 MRF_OUTGOING | MRF_WAITING);
  AddNumber(*record, "0123");
  record->reference = 42;
  record->serviceCentre = MakeField<kServiceCentreSize>("+4477000");
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
  // A scratch record without text stays without.
  EXPECT_FALSE(CopyMessageRecord(*CreateMessageRecord())->text.has_value());
}

TEST(CopyMessageRecordTest, CutsTextsPastTheLongMessageLimitAndPicturesWithoutTheFlag) {
  for (auto [length, copied] : {std::pair{1065u, 1063u}, {1064u, 1064u}}) {
    auto record = testing::Message("1", std::string(length, 'x'));
    EXPECT_EQ(CopyMessageRecord(*record)->text->size(), copied) << length;
    EXPECT_EQ(record->text->size(), length);
  }
  auto record = CreateMessageRecord();
  record->picture = PictureImage{};
  (*record->picture)[0] = 0x80;
  EXPECT_FALSE(CopyMessageRecord(*record)->picture.has_value());
  record->flags = MRF_PICTURE;
  EXPECT_EQ(CopyMessageRecord(*record)->picture, record->picture);
}

TEST(MessageRecordTest, OutboxStatesAreExclusiveAndNumbersAreCutToTheirBlock) {
  MessageRecord record;
  record.flags = MRF_OUTGOING | MRF_WAITING;
  SetOutboxState(record, MRF_SENDING);
  EXPECT_EQ(record.flags, MRF_OUTGOING | MRF_SENDING);
  SetOutboxState(record, MRF_GAVEUP);
  EXPECT_EQ(record.flags, MRF_OUTGOING | MRF_GAVEUP);
  AddNumber(record, std::string(30, '7'));
  EXPECT_EQ(FirstNumber(record), std::string(23, '7'));
  EXPECT_EQ(FirstNumber(*CreateMessageRecord()), "");
}

}  // namespace
}  // namespace zeph
