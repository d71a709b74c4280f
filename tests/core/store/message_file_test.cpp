#include "core/store/message_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/util/failure_log.h"
#include "core/util/fixed_text.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using Bytes = std::vector<uint8_t>;
using Strings = std::vector<std::string>;
using testing::TempFolder;

void Append(Bytes& bytes, std::initializer_list<uint8_t> more) {
  bytes.insert(bytes.end(), more);
}

void AppendField(Bytes& bytes, const std::string& text, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes.push_back(i < text.size() ? text[i] : 0);
}

// Written out by hand: one record, two numbers, a picture and the text "Hi".
Bytes GoldenTwoNumbersAndPicture() {
  Bytes b;
  Append(b, {0x01, 0x00});                                      // record count 1
  b.insert(b.end(), 20, 0);                                     // reserved
  Append(b, {0x3C, 0x00});                                      // record mark
  Append(b, {0xD2, 0x07, 0x0C, 0x00, 0x02, 0x00, 0x03, 0x00,    // 2002-12, Tuesday, 3rd
             0x0E, 0x00, 0x23, 0x00, 0x00, 0x00, 0x00, 0x00});  // 14:35:00.000
  Append(b, {0x03, 0x00, 0x00, 0x00});                          // flags: picture | outgoing
  Append(b, {0x07});                                            // reference
  Append(b, {0x02});                                            // two numbers
  AppendField(b, "+44770", 23);                                 // service centre
  AppendField(b, "+4412", 24);
  AppendField(b, "0789", 24);
  Append(b, {0x03, 0x00, 'H', 'i', 0x00});  // t = 3
  const PictureImage picture = testing::NumberedPicture();
  b.insert(b.end(), picture.begin(), picture.end());
  return b;
}

std::unique_ptr<MessageRecord> GoldenRecord() {
  auto record =
      testing::Message("+4412", "Hi", {2002, 12, 2, 3, 14, 35, 0, 0}, MRF_PICTURE | MRF_OUTGOING);
  AddNumber(*record, "0789");
  record->reference = 7;
  record->serviceCentre = MakeField<kServiceCentreSize>("+44770");
  record->picture = testing::NumberedPicture();
  return record;
}

// A record with no numbers, no picture and the given text, by hand.
Bytes PlainRecordBytes(const std::string& text) {
  Bytes b;
  Append(b, {0x3C, 0x00});
  b.insert(b.end(), 16, 0);  // time
  b.insert(b.end(), 4, 0);   // flags
  Append(b, {0x01, 0x00});   // reference 1, no numbers
  b.insert(b.end(), 23, 0);  // service centre
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

TEST(MessageFileLayoutTest, GoldenBytesAndTheRecordGiveEachOther) {
  MessageList list;
  list.Add(GoldenRecord());
  EXPECT_EQ(SerializeMessageFile(list), GoldenTwoNumbersAndPicture());

  // Serializing was checked against the bytes just above: what the parse read gives them back.
  MessageList parsed;
  EXPECT_TRUE(ParseMessageFile(GoldenTwoNumbersAndPicture(), parsed).wellFormed());
  EXPECT_EQ(SerializeMessageFile(parsed), GoldenTwoNumbersAndPicture());
}

TEST(MessageFileLayoutTest, EmptyTextIsOneZeroByteAndThePictureFollowsTheFlag) {
  EXPECT_EQ(SerializeMessageFile(MessageList{}), Bytes(22, 0));
  MessageList list;
  auto record = CreateMessageRecord();
  record->reference = 1;
  list.Add(std::move(record));  // a missing text is written as an empty one
  EXPECT_EQ(SerializeMessageFile(list), FileOf(1, {PlainRecordBytes("")}));

  MessageList noFlag;
  noFlag.Add(GoldenRecord());
  noFlag.GetAt(0)->flags &= ~MRF_PICTURE;
  EXPECT_EQ(SerializeMessageFile(noFlag).size(), 22u + 47 + 48 + 2 + 3);
}

TEST(MessageFileLayoutTest, ReservedBytesAndNumberTailsAreCarriedNotInterpreted) {
  Bytes bytes = GoldenTwoNumbersAndPicture();
  for (size_t i = 2; i < 22; ++i) bytes[i] = 0xEE;  // reserved header bytes
  const size_t secondNumber = 22 + 47 + 24;
  bytes[secondNumber + 10] = 'Z';  // after "0789" and its terminator
  MessageList list;
  EXPECT_TRUE(ParseMessageFile(bytes, list).wellFormed());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(FieldText(*list.GetAt(0)->numbers.GetAt(1)), "0789");
  EXPECT_EQ(SerializeMessageFile(list)[secondNumber + 10], 'Z');
}

TEST(MessageFileDamageTest, TruncatedFileKeepsItsCompleteRecords) {
  Bytes whole =
      FileOf(3, {PlainRecordBytes("one"), PlainRecordBytes("two"), PlainRecordBytes("three")});
  const size_t firstEnd = 22 + PlainRecordBytes("one").size();
  const size_t secondEnd = firstEnd + PlainRecordBytes("two").size();
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    MessageList list;
    Bytes bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
    MessageFileParse parse = ParseMessageFile(bytes, list);
    EXPECT_EQ(list.Count(), cut >= secondEnd ? 2 : cut >= firstEnd ? 1 : 0) << "cut at " << cut;
    EXPECT_FALSE(parse.wellFormed()) << "cut at " << cut;
  }
}

TEST(MessageFileDamageTest, DamagedFilesKeepWhatCanBeRead) {
  Bytes noText = PlainRecordBytes("");
  noText[47] = 0;  // t = 0: no text bytes at all
  noText.pop_back();
  Bytes unterminated = PlainRecordBytes("abc");
  unterminated.back() = 'd';  // the terminator replaced by a letter: the text stops at its length
  Bytes trailing = FileOf(1, {PlainRecordBytes("x")});
  trailing.push_back(0x99);
  const size_t onlyEnd = 22 + PlainRecordBytes("only").size();
  struct Case {
    const char* what;
    Bytes file;
    Strings texts;
    std::optional<MessageFileProblem> last = {};  // where reading stopped, when checked
  };
  const Case cases[] = {
      {"count past the end",
       FileOf(65535, {PlainRecordBytes("only")}),
       {"only"},
       {{1, onlyEnd, ""}}},
      {"overlong text keeps its start, the next record is found",
       FileOf(2, {PlainRecordBytes(std::string(3000, 'a')), PlainRecordBytes("next")}),
       {std::string(2047, 'a'), "next"}},
      {"text length 0", FileOf(2, {noText, PlainRecordBytes("after")}), {"", "after"}},
      {"unterminated text", FileOf(1, {unterminated}), {"abcd"}},
      {"short header", Bytes(10, 0), {}},
      {"trailing byte", trailing, {"x"}, {{-1, trailing.size() - 1, ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageList list;
    MessageFileParse parse = ParseMessageFile(c.file, list);
    EXPECT_FALSE(parse.wellFormed());
    EXPECT_EQ(testing::TextsOf(list), c.texts);
    if (c.last && !parse.problems.empty()) {
      EXPECT_EQ(parse.problems.back().record, c.last->record);
      EXPECT_EQ(parse.problems.back().offset, c.last->offset);
    }
  }
}

// Saves and loads of whole files: the folders', the composer's and the engines' tests.
TEST(MessageFileIoTest, ListsBeyondTheCountFieldAreRefused) {
  TempFolder folder;
  MessageList list;
  for (int i = 0; i < 65536; ++i) list.Add(CreateMessageRecord());
  EXPECT_EQ(SaveMessageFile(folder.File("big.sms"), list, Durability::kUnsynced), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.File("big.sms")));
  ASSERT_EQ(list.RemoveAt(0), 1);
  EXPECT_EQ(SaveMessageFile(folder.File("big.sms"), list, Durability::kUnsynced), 65535);
}

// Two records with a picture and two numbers, or three plain ones.
MessageList Records(bool rich) {
  MessageList list;
  for (int i = 0; i < (rich ? 2 : 3); ++i) {
    auto record =
        testing::Message("+44770" + std::to_string(i), rich ? std::string(300, 'a') : "ok",
                         testing::At(2026, 3, 1 + i, 9, 30), rich ? MRF_PICTURE : MRF_OUTGOING);
    if (rich) {
      AddNumber(*record, "+358402");
      record->picture = testing::FilledPicture(static_cast<uint8_t>(0x11 * (i + 1)));
    }
    list.Add(std::move(record));
  }
  return list;
}

// A load into a list that holds records reads into them: nothing of what
// they held may survive, whichever way the list changes size.
TEST(MessageFileReload, ALoadIntoAFullListHoldsExactlyTheFile) {
  TempFolder folder;
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
  // An absent file: an empty list.
  EXPECT_EQ(LoadMessageFile(folder.File("absent.sms"), list), 0);
  EXPECT_EQ(list.Count(), 0);
}

// The saves whose failure reaches no one but the failure log.
std::vector<std::string> g_lines;

TEST(SaveOrLogTest, AFailedSaveIsLoggedWithItsPathAndAGoodOneIsNot) {
  TempFolder folder;
  SetFailureSink([](std::string_view line) { g_lines.emplace_back(line); });
  MessageList list;
  // An empty list saved and a failed save both give 0; only the failure may be logged.
  SaveMessageFileOrLog(folder.File("recsms.sms"), list);
  EXPECT_TRUE(g_lines.empty());
  EXPECT_EQ(folder.Read("recsms.sms").size(), 22u);

  list.Add(testing::Message("+4411", "kept", {}));
  const std::string missing = folder.File("no-such-folder/recsms.sms");
  SaveMessageFileOrLog(missing, list);
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_NE(g_lines[0].find(missing), std::string::npos) << g_lines[0];
  EXPECT_EQ(list.Count(), 1);

  SetFailureSink(nullptr);  // switched off: dropped
  SaveMessageFileOrLog(missing, list);
  EXPECT_EQ(g_lines.size(), 1u);
}

}  // namespace
}  // namespace zeph
