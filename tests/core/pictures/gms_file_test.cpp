#include "core/pictures/gms_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::TempFolder;

// The 11 bytes before the picture in every file the program writes.
const std::vector<uint8_t> kHeaderBytes = {0x30, 0x00, 0x00, 0x00, 0x02, 0x01,
                                           0x00, 0x00, 0x48, 0x1C, 0x01};

std::vector<uint8_t> Bytes(const GmsFile& file) {
  return {file.begin(), file.end()};
}

TEST(GmsFileTest, AllBlackPictureExportsAsHeaderAndOnes) {
  PictureImage black;
  black.fill(0xFF);
  std::vector<uint8_t> expected = kHeaderBytes;
  expected.insert(expected.end(), 252, 0xFF);
  EXPECT_EQ(Bytes(BuildGmsFile(black)), expected);
}

// The reader looks only at the last 256 bytes: the picture header and the picture.
TEST(GmsFileTest, ThePictureIsTakenFromTheEndAndWrongSizesAndHeadersAreRefused) {
  const PictureImage picture = testing::NumberedPicture();
  const std::vector<uint8_t> file = Bytes(BuildGmsFile(picture));
  const std::vector<uint8_t> bare(file.end() - 256, file.end());
  std::vector<uint8_t> odd = {0xAA, 0xBB, 0xCC};  // whatever comes before is not looked at
  odd.insert(odd.end(), bare.begin(), bare.end());
  for (const auto& accepted : {file, bare, odd}) {
    GmsRead read = ReadGmsFile(accepted);
    ASSERT_TRUE(read.ok()) << accepted.size();
    EXPECT_EQ(read.picture, picture);
  }

  std::vector<uint8_t> longer = file;
  longer.push_back(0);
  std::vector<uint8_t> wrong = file;  // the last 256 bytes begin with 0x00, not the whole header
  wrong[263 - 256 + 2] = 0x1D;
  // A 263-byte file whose header sits at the front, not 256 bytes from the end.
  std::vector<uint8_t> shifted(kHeaderBytes.begin() + 7, kHeaderBytes.end());
  shifted.insert(shifted.end(), 259, 0x00);
  const std::vector<uint8_t> shorter(file.end() - 255, file.end());
  for (auto [bytes, refusal] : {std::pair{longer, GmsRefusal::kTooLong},
                                {shorter, GmsRefusal::kTooShort},
                                {wrong, GmsRefusal::kWrongPictureHeader},
                                {shifted, GmsRefusal::kWrongPictureHeader}}) {
    GmsRead read = ReadGmsFile(bytes);
    EXPECT_EQ(read.refusal, refusal) << bytes.size();
    EXPECT_EQ(read.picture, PictureImage{});
    EXPECT_FALSE(GmsRefusalText(read.refusal).empty());
  }
}

// Saving and loading whole files is checked through the picture exchange.
TEST(GmsFileTest, MissingAndLargeFilesAreRefused) {
  TempFolder folder;
  EXPECT_EQ(LoadGmsFile(folder.File("absent.gms")).refusal, GmsRefusal::kUnreadable);
  folder.Write("big.gms", std::vector<uint8_t>(100000, 0));
  EXPECT_EQ(LoadGmsFile(folder.File("big.gms")).refusal, GmsRefusal::kTooLong);
}

}  // namespace
}  // namespace zeph
