#include "tools/zeph_store/store_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/store/message_file.h"
#include "core/util/fixed_text.h"
#include "support/temp_folder.h"

namespace zeph::tools {
namespace {

using zeph::testing::TempFolder;

std::unique_ptr<MessageRecord> SampleRecord() {
  auto record = CreateMessageRecord();
  record->time = {2002, 12, 2, 3, 14, 35, 7, 250};
  record->flags = MRF_PICTURE | MRF_READ;
  record->reference = 9;
  record->serviceCentre = MakeField<kServiceCentreSize>("+44770");
  AddNumber(*record, "+4412");
  record->text = "caf\xE9 \x80";
  PictureImage picture{};
  picture[0] = 0xAB;
  picture[251] = 0x01;
  record->picture = picture;
  return record;
}

TEST(ZephStoreDumpTest, PrintsOneJsonObjectPerRecord) {
  TempFolder folder;
  MessageList list;
  list.Add(SampleRecord());
  auto plain = CreateMessageRecord();
  plain->text = "plain";
  list.Add(std::move(plain));
  ASSERT_EQ(SaveMessageFile(folder.File("recsms.sms"), list), 2);

  std::ostringstream out, err;
  EXPECT_EQ(DumpStore(folder.File("recsms.sms"), StoreKind::kMessages, out, err), 0);
  std::istringstream lines(out.str());
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  auto a = nlohmann::json::parse(first);
  EXPECT_EQ(a["time"], "2002-12-03T14:35:07");
  EXPECT_EQ(a["flags"], MRF_PICTURE | MRF_READ);
  EXPECT_EQ(a["reference"], 9);
  EXPECT_EQ(a["numbers"], nlohmann::json::array({"+4412"}));
  EXPECT_EQ(a["serviceCentre"], "+44770");
  EXPECT_EQ(a["text"], "caf\xC3\xA9 \xE2\x82\xAC");
  std::string hex = a["picture"];
  EXPECT_EQ(hex.size(), 504u);
  EXPECT_EQ(hex.substr(0, 4), "ab00");
  EXPECT_EQ(hex.substr(500), "0001");
  auto b = nlohmann::json::parse(second);
  EXPECT_FALSE(b.contains("picture"));
  EXPECT_EQ(b["time"], "0000-00-00T00:00:00");
  EXPECT_TRUE(err.str().empty());
}

TEST(ZephStoreCheckTest, NamesTheRecordAndOffsetOfATruncatedFile) {
  TempFolder folder;
  MessageList list;
  list.Add(SampleRecord());
  list.Add(SampleRecord());
  std::vector<uint8_t> bytes = SerializeMessageFile(list);
  bytes.resize(bytes.size() - 100);  // cut inside the second record's picture
  folder.Write("cut.sms", bytes);

  std::ostringstream out, err;
  EXPECT_EQ(CheckStore(folder.File("cut.sms"), StoreKind::kMessages, out, err), 1);
  EXPECT_NE(err.str().find("record 1"), std::string::npos) << err.str();
  const size_t recordSize = (bytes.size() + 100 - 22) / 2;
  const size_t pictureStart = 22 + recordSize + recordSize - 252;
  EXPECT_NE(err.str().find("byte offset " + std::to_string(pictureStart)), std::string::npos)
      << err.str();

  std::ostringstream dumpOut, dumpErr;
  EXPECT_EQ(DumpStore(folder.File("cut.sms"), StoreKind::kMessages, dumpOut, dumpErr), 1);
  const std::string dumped = dumpOut.str();
  EXPECT_EQ(std::count(dumped.begin(), dumped.end(), '\n'), 1);
}

TEST(ZephStoreCheckTest, WellFormedAndUnreadableFiles) {
  TempFolder folder;
  MessageList list;
  list.Add(SampleRecord());
  ASSERT_EQ(SaveMessageFile(folder.File("ok.sms"), list), 1);
  std::ostringstream out, err;
  EXPECT_EQ(CheckStore(folder.File("ok.sms"), StoreKind::kMessages, out, err), 0);
  EXPECT_EQ(CheckStore(folder.File("absent.sms"), StoreKind::kMessages, out, err), 1);
  EXPECT_NE(err.str().find("cannot read"), std::string::npos);
}

TEST(ZephStorePicturesTest, LibraryDumpAndTrailingBytes) {
  TempFolder folder;
  std::vector<uint8_t> bytes(504, 0);
  bytes[252] = 0xFF;
  folder.Write("smspic.smp", bytes);
  EXPECT_EQ(GuessStoreKind(folder.File("smspic.smp")), StoreKind::kPictures);
  EXPECT_EQ(GuessStoreKind("PICS.SMP"), StoreKind::kPictures);
  EXPECT_EQ(GuessStoreKind("recsms.sms"), StoreKind::kMessages);

  std::ostringstream out, err;
  EXPECT_EQ(DumpStore(folder.File("smspic.smp"), StoreKind::kPictures, out, err), 0);
  EXPECT_NE(out.str().find("{\"picture\":\"ff00"), std::string::npos) << out.str();

  bytes.resize(600);
  folder.Write("odd.smp", bytes);
  EXPECT_EQ(CheckStore(folder.File("odd.smp"), StoreKind::kPictures, out, err), 1);
  EXPECT_NE(err.str().find("byte offset 504"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace zeph::tools
