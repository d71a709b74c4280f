#include "tools/zeph_store/store_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/store/message_file.h"
#include "core/util/fixed_text.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph::tools {
namespace {

class ZephStoreTest : public ::testing::Test {
 protected:
  ZephStoreTest() {
    auto record = zeph::testing::Message("+4412", "caf\xE9 \x80", {2002, 12, 2, 3, 14, 35, 7, 250},
                                         MRF_PICTURE | MRF_READ);
    record->reference = 9;
    record->serviceCentre = MakeField<kServiceCentreSize>("+44770");
    record->picture = PictureImage{};
    record->picture->front() = 0xAB;
    record->picture->back() = 0x01;
    list_.Add(std::move(record));
  }
  int Dump(const std::string& name, StoreKind kind = StoreKind::kMessages) {
    return DumpStore(folder_.File(name), kind, out_, err_);
  }
  int Check(const std::string& name, StoreKind kind = StoreKind::kMessages) {
    return CheckStore(folder_.File(name), kind, out_, err_);
  }
  zeph::testing::TempFolder folder_;
  MessageList list_;
  std::ostringstream out_, err_;
};

TEST_F(ZephStoreTest, DumpPrintsOneJsonObjectPerRecord) {
  list_.Add(CreateMessageRecord());
  ASSERT_EQ(SaveMessageFile(folder_.File("recsms.sms"), list_), 2);
  EXPECT_EQ(Dump("recsms.sms"), 0);
  nlohmann::json dumped = nlohmann::json::array();
  std::istringstream lines(out_.str());
  for (std::string line; std::getline(lines, line);) dumped.push_back(nlohmann::json::parse(line));
  auto expected = nlohmann::json::parse(R"([
    {"time": "2002-12-03T14:35:07", "flags": 9, "reference": 9, "numbers": ["+4412"],
     "serviceCentre": "+44770", "text": "caf\u00e9 \u20ac", "picture": ""},
    {"time": "0000-00-00T00:00:00", "flags": 0, "reference": 0, "numbers": [],
     "serviceCentre": "", "text": ""}])");
  expected[0]["picture"] = "ab" + std::string(500, '0') + "01";
  EXPECT_EQ(dumped, expected);
  EXPECT_TRUE(err_.str().empty());
}

TEST_F(ZephStoreTest, CheckPassesAWholeFileAndNamesWhereADamagedOneEnds) {
  list_.Add(CopyMessageRecord(*list_.GetAt(0)));
  std::vector<uint8_t> bytes = SerializeMessageFile(list_);
  const size_t recordSize = (bytes.size() - 22) / 2;
  bytes.resize(bytes.size() - 100);  // cut inside the second record's picture
  folder_.Write("cut.sms", bytes);
  EXPECT_EQ(Check("cut.sms"), 1);
  EXPECT_NE(err_.str().find("record 1, byte offset " + std::to_string(22 + 2 * recordSize - 252)),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(Dump("cut.sms"), 1);
  const std::string dumped = out_.str();
  EXPECT_EQ(std::count(dumped.begin(), dumped.end(), '\n'), 1);
  ASSERT_EQ(SaveMessageFile(folder_.File("ok.sms"), list_), 2);
  EXPECT_EQ(Check("ok.sms"), 0);
  EXPECT_EQ(Check("absent.sms"), 1);
  EXPECT_NE(err_.str().find("cannot read"), std::string::npos);
}

TEST_F(ZephStoreTest, PictureLibraryDumpAndTrailingBytes) {
  std::vector<uint8_t> bytes(504, 0);
  bytes[252] = 0xFF;
  folder_.Write("smspic.smp", bytes);
  EXPECT_EQ(GuessStoreKind(folder_.File("smspic.smp")), StoreKind::kPictures);
  EXPECT_EQ(GuessStoreKind("PICS.SMP"), StoreKind::kPictures);
  EXPECT_EQ(GuessStoreKind("recsms.sms"), StoreKind::kMessages);
  EXPECT_EQ(Dump("smspic.smp", StoreKind::kPictures), 0);
  EXPECT_NE(out_.str().find("{\"picture\":\"ff00"), std::string::npos) << out_.str();

  bytes.resize(600);
  folder_.Write("odd.smp", bytes);
  EXPECT_EQ(Check("odd.smp", StoreKind::kPictures), 1);
  EXPECT_NE(err_.str().find("byte offset 504"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace zeph::tools
