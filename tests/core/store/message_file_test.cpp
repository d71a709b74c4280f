#include "core/store/message_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/util/fixed_text.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::TempFolder;

void Append(Bytes& bytes, std::initializer_list<uint8_t> more) { bytes.insert(bytes.end(), more); }

void AppendField(Bytes& bytes, const std::string& text, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes.push_back(i < text.size() ? text[i] : 0);
}

PictureImage PatternPicture() {
  PictureImage picture{};
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 + 1);
  return picture;
}

// Written out by hand: one record, two numbers, a picture and the text "Hi".
Bytes GoldenTwoNumbersAndPicture() {
  Bytes b;
  Append(b, {0x01, 0x00});                       // record count 1
  b.insert(b.end(), 20, 0);                      // reserved
  Append(b, {0x3C, 0x00});                       // record mark
  Append(b, {0xD2, 0x07, 0x0C, 0x00, 0x02, 0x00, 0x03, 0x00,   // 2002-12, Tuesday, 3rd
             0x0E, 0x00, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00});  // 14:35:00.000
  Append(b, {0x03, 0x00, 0x00, 0x00});           // flags: picture | outgoing
  Append(b, {0x07});                             // reference
  Append(b, {0x02});                             // two numbers
  AppendField(b, "+44770", 23);                  // service centre
  AppendField(b, "+4412", 24);
  AppendField(b, "0789", 24);
  Append(b, {0x03, 0x00, 'H', 'i', 0x00});       // t = 3
  PictureImage picture = PatternPicture();
  b.insert(b.end(), picture.begin(), picture.end());
  return b;
}

std::unique_ptr<MessageRecord> GoldenRecord() {
  auto record = CreateMessageRecord();
  record->time = {2002, 12, 2, 3, 14, 35, 0, 0};
  record->flags = MRF_PICTURE | MRF_OUTGOING;
  record->reference = 7;
  record->serviceCentre = MakeField<kServiceCentreSize>("+44770");
  AddNumber(*record, "+4412");
  AddNumber(*record, "0789");
  record->text = "Hi";
  record->picture = PatternPicture();
  return record;
}

// A record with no numbers, no picture and the given text, by hand.
Bytes PlainRecordBytes(const std::string& text) {
  Bytes b;
  Append(b, {0x3C, 0x00});
  b.insert(b.end(), 16, 0);        // time
  b.insert(b.end(), 4, 0);         // flags
  Append(b, {0x01, 0x00});         // reference 1, no numbers
  b.insert(b.end(), 23, 0);        // service centre
  uint16_t t = static_cast<uint16_t>(text.size() + 1);
  Append(b, {static_cast<uint8_t>(t), static_cast<uint8_t>(t >> 8)});
  b.insert(b.end(), text.begin(), text.end());
  b.push_back(0);
  return b;
}

Bytes FileOf(uint16_t count, const std::vector<Bytes>& records) {
  Bytes b = {static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
  b.insert(b.end(), 20, 0);
  for (const Bytes& r : records) b.insert(b.end(), r.begin(), r.end());
  return b;
}

TEST(MessageFileLayoutTest, RecordWithTwoNumbersAndPictureMatchesGoldenBytes) {
  MessageList list;
  list.Add(GoldenRecord());
  Bytes bytes = SerializeMessageFile(list);
  EXPECT_EQ(bytes.size(), 22u + 47 + 48 + 2 + 3 + 252);
  EXPECT_EQ(bytes, GoldenTwoNumbersAndPicture());
}

TEST(MessageFileLayoutTest, GoldenBytesParseBackToEveryField) {
  MessageList list;
  MessageFileParse parse = ParseMessageFile(GoldenTwoNumbersAndPicture(), list);
  EXPECT_TRUE(parse.wellFormed());
  ASSERT_EQ(list.Count(), 1);
  const MessageRecord& got = *list.GetAt(0);
  auto want = GoldenRecord();
  EXPECT_EQ(got.time, want->time);
  EXPECT_EQ(got.flags, want->flags);
  EXPECT_EQ(got.reference, 7);
  EXPECT_EQ(FieldText(got.serviceCentre), "+44770");
  ASSERT_EQ(got.numbers.Count(), 2);
  EXPECT_EQ(FieldText(*got.numbers.GetAt(1)), "0789");
  EXPECT_EQ(*got.text, "Hi");
  EXPECT_EQ(got.picture, want->picture);
}

TEST(MessageFileLayoutTest, EmptyTextIsOneZeroByteAndEmptyListIsTheHeaderAlone) {
  MessageList empty;
  EXPECT_EQ(SerializeMessageFile(empty), Bytes(22, 0));

  MessageList list;
  auto record = CreateMessageRecord();
  record->reference = 1;
  record->text = "";
  list.Add(std::move(record));
  EXPECT_EQ(SerializeMessageFile(list), FileOf(1, {PlainRecordBytes("")}));
}

TEST(MessageFileLayoutTest, PictureBytesFollowTheFlagNotTheBlock) {
  MessageList list;
  auto record = GoldenRecord();
  record->flags &= ~MRF_PICTURE;
  list.Add(std::move(record));
  EXPECT_EQ(SerializeMessageFile(list).size(), 22u + 47 + 48 + 2 + 3);
}

TEST(MessageFileLayoutTest, ReservedBytesAndNumberTailsAreCarriedNotInterpreted) {
  Bytes bytes = GoldenTwoNumbersAndPicture();
  for (size_t i = 2; i < 22; ++i) bytes[i] = 0xEE;   // reserved header bytes
  const size_t secondNumber = 22 + 47 + 24;
  bytes[secondNumber + 10] = 'Z';                     // after "0789" and its terminator
  MessageList list;
  EXPECT_TRUE(ParseMessageFile(bytes, list).wellFormed());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(FieldText(*list.GetAt(0)->numbers.GetAt(1)), "0789");
  Bytes again = SerializeMessageFile(list);
  EXPECT_EQ(again[secondNumber + 10], 'Z');
}

TEST(MessageFileDamageTest, TruncatedFileKeepsItsCompleteRecords) {
  Bytes whole = FileOf(3, {PlainRecordBytes("one"), PlainRecordBytes("two"),
                           PlainRecordBytes("three")});
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    Bytes bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
    MessageList list;
    MessageFileParse parse = ParseMessageFile(bytes, list);
    const size_t firstEnd = 22 + PlainRecordBytes("one").size();
    const size_t secondEnd = firstEnd + PlainRecordBytes("two").size();
    int expected = cut >= secondEnd ? 2 : cut >= firstEnd ? 1 : 0;
    EXPECT_EQ(list.Count(), expected) << "cut at " << cut;
    EXPECT_FALSE(parse.wellFormed()) << "cut at " << cut;
  }
}

TEST(MessageFileDamageTest, CountLargerThanTheFileStopsAtTheEnd) {
  MessageList list;
  MessageFileParse parse = ParseMessageFile(FileOf(65535, {PlainRecordBytes("only")}), list);
  EXPECT_EQ(parse.declaredCount, 65535);
  EXPECT_EQ(list.Count(), 1);
  ASSERT_FALSE(parse.problems.empty());
  EXPECT_EQ(parse.problems.back().record, 1);
  EXPECT_EQ(parse.problems.back().offset, 22 + PlainRecordBytes("only").size());
}

TEST(MessageFileDamageTest, OverlongTextKeepsItsStartAndTheNextRecordIsFound) {
  const std::string longText(3000, 'a');
  MessageList list;
  MessageFileParse parse =
      ParseMessageFile(FileOf(2, {PlainRecordBytes(longText), PlainRecordBytes("next")}), list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetAt(0)->text->size(), 2047u);
  EXPECT_EQ(*list.GetAt(1)->text, "next");
  EXPECT_FALSE(parse.wellFormed());
}

TEST(MessageFileDamageTest, TextLengthsZeroAndMaximum) {
  Bytes zero = PlainRecordBytes("");
  zero[47] = 0;  // t = 0: no text bytes at all
  zero.pop_back();
  MessageList list;
  MessageFileParse parse = ParseMessageFile(FileOf(2, {zero, PlainRecordBytes("after")}), list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(*list.GetAt(0)->text, "");
  EXPECT_EQ(*list.GetAt(1)->text, "after");
  EXPECT_FALSE(parse.wellFormed());

  Bytes huge = PlainRecordBytes("short");
  huge[47] = 0xFF;
  huge[48] = 0xFF;  // t = 65535 on a file far shorter
  MessageList cut;
  ParseMessageFile(FileOf(1, {huge}), cut);
  EXPECT_EQ(cut.Count(), 0);
}

TEST(MessageFileDamageTest, UnterminatedTextStopsAtItsLength) {
  Bytes record = PlainRecordBytes("abc");
  record.back() = 'd';  // the terminator replaced by a letter
  MessageList list;
  MessageFileParse parse = ParseMessageFile(FileOf(1, {record}), list);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(*list.GetAt(0)->text, "abcd");
  EXPECT_FALSE(parse.wellFormed());
}

TEST(MessageFileDamageTest, ShortHeaderAndTrailingBytesAreReported) {
  MessageList list;
  EXPECT_FALSE(ParseMessageFile(Bytes(10, 0), list).wellFormed());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(ParseMessageFile(Bytes{}, list).wellFormed());

  Bytes trailing = FileOf(1, {PlainRecordBytes("x")});
  trailing.push_back(0x99);
  MessageFileParse parse = ParseMessageFile(trailing, list);
  EXPECT_EQ(list.Count(), 1);
  ASSERT_EQ(parse.problems.size(), 1u);
  EXPECT_EQ(parse.problems[0].offset, trailing.size() - 1);
}

TEST(MessageFileIoTest, SaveAndLoadRoundTripIntoALockedList) {
  TempFolder folder;
  MessageList list;
  list.Add(GoldenRecord());
  auto second = CreateMessageRecord();
  second->text = "second";
  list.Add(std::move(second));
  EXPECT_EQ(SaveMessageFile(folder.File("outbox.sms"), list), 2);

  LockedMessageList loaded;
  loaded.Add(CreateMessageRecord());  // a load clears the list first
  ScopedLock hold(loaded);
  EXPECT_EQ(LoadMessageFile(folder.File("outbox.sms"), loaded), 2);
  EXPECT_EQ(*loaded.GetAt(1)->text, "second");
  EXPECT_EQ(SerializeMessageFile(loaded), SerializeMessageFile(list));
}

TEST(MessageFileIoTest, MissingFileLoadsNothingAndClearsTheList) {
  TempFolder folder;
  MessageList list;
  list.Add(CreateMessageRecord());
  EXPECT_EQ(LoadMessageFile(folder.File("absent.sms"), list), 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST(MessageFileIoTest, FailedSaveLeavesThePreviousFileWholeAndNoLeftovers) {
  TempFolder folder;
  MessageList list;
  list.Add(GoldenRecord());
  EXPECT_EQ(SaveMessageFile(folder.File("missing-folder/recsms.sms"), list), 0);

  // A folder in the file's place: the temporary file is written, the rename fails.
  std::filesystem::create_directory(folder.File("recsms.sms"));
  EXPECT_EQ(SaveMessageFile(folder.File("recsms.sms"), list), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("recsms.sms")));
  int entries = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(MessageFileIoTest, ListsBeyondTheCountFieldAreRefused) {
  TempFolder folder;
  MessageList list;
  for (int i = 0; i < 65536; ++i) {
    auto record = CreateMessageRecord();
    record->text = "";
    list.Add(std::move(record));
  }
  EXPECT_EQ(SaveMessageFile(folder.File("big.sms"), list, Durability::kUnsynced), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.File("big.sms")));
  ASSERT_EQ(list.RemoveAt(0), 1);
  EXPECT_EQ(SaveMessageFile(folder.File("big.sms"), list, Durability::kUnsynced), 65535);
}

}  // namespace
}  // namespace zeph
