#include "core/pictures/gms_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::TempFolder;

// The 11 bytes before the picture in every file the program writes, as the
// format fixes them.
const std::vector<uint8_t> kHeaderBytes = {0x30, 0x00, 0x00, 0x00, 0x02, 0x01,
                                           0x00, 0x00, 0x48, 0x1C, 0x01};

PictureImage Numbered() {
  PictureImage picture{};
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 + 1);
  return picture;
}

std::vector<uint8_t> Bytes(const GmsFile& file) { return {file.begin(), file.end()}; }

TEST(GmsFileTest, AllBlackPictureExportsAsHeaderAndOnes) {
  PictureImage black;
  black.fill(0xFF);
  std::vector<uint8_t> expected = kHeaderBytes;
  expected.insert(expected.end(), 252, 0xFF);
  EXPECT_EQ(Bytes(BuildGmsFile(black)), expected);
}

TEST(GmsFileTest, AcceptedSizesTakeThePictureFromTheEnd) {
  PictureImage picture = Numbered();

  std::vector<uint8_t> written = Bytes(BuildGmsFile(picture));
  GmsRead read = ReadGmsFile(written);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.picture, picture);

  // Just the picture header and the picture.
  std::vector<uint8_t> bare = {0x00, 0x48, 0x1C, 0x01};
  bare.insert(bare.end(), picture.begin(), picture.end());
  ASSERT_EQ(bare.size(), 256u);
  read = ReadGmsFile(bare);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.picture, picture);

  // Whatever comes before the last 256 bytes is not looked at.
  std::vector<uint8_t> odd = {0xAA, 0xBB, 0xCC};
  odd.insert(odd.end(), bare.begin(), bare.end());
  read = ReadGmsFile(odd);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.picture, picture);
}

TEST(GmsFileTest, WrongSizesAndHeadersAreRefusedWithAReason) {
  std::vector<uint8_t> file = Bytes(BuildGmsFile(Numbered()));

  std::vector<uint8_t> longer = file;
  longer.push_back(0);
  EXPECT_EQ(ReadGmsFile(longer).refusal, GmsRefusal::kTooLong);

  std::vector<uint8_t> shorter(file.end() - 255, file.end());
  EXPECT_EQ(ReadGmsFile(shorter).refusal, GmsRefusal::kTooShort);
  EXPECT_EQ(ReadGmsFile({}).refusal, GmsRefusal::kTooShort);

  // The last 256 bytes begin with 0x00 but not with the whole header.
  std::vector<uint8_t> wrong = file;
  wrong[263 - 256 + 2] = 0x1D;
  GmsRead read = ReadGmsFile(wrong);
  EXPECT_EQ(read.refusal, GmsRefusal::kWrongPictureHeader);
  EXPECT_EQ(read.picture, PictureImage{});
  EXPECT_FALSE(GmsRefusalText(read.refusal).empty());

  // A 263-byte file whose header sits at the front, not 256 bytes from the
  // end, is refused: the reader only looks from the end.
  std::vector<uint8_t> shifted(kHeaderBytes.begin() + 7, kHeaderBytes.end());
  shifted.insert(shifted.end(), 259, 0x00);
  EXPECT_EQ(ReadGmsFile(shifted).refusal, GmsRefusal::kWrongPictureHeader);
}

TEST(GmsFileTest, FilesRoundTripAndMissingOrLargeFilesAreRefused) {
  TempFolder folder;
  PictureImage picture = Numbered();
  ASSERT_TRUE(SaveGmsFile(folder.File("a.gms"), picture));
  EXPECT_EQ(folder.Read("a.gms").size(), 263u);
  GmsRead read = LoadGmsFile(folder.File("a.gms"));
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.picture, picture);

  EXPECT_EQ(LoadGmsFile(folder.File("absent.gms")).refusal, GmsRefusal::kUnreadable);
  folder.Write("big.gms", std::vector<uint8_t>(100000, 0));
  EXPECT_EQ(LoadGmsFile(folder.File("big.gms")).refusal, GmsRefusal::kTooLong);
  EXPECT_FALSE(SaveGmsFile(folder.File("no-such-folder/a.gms"), picture));
}

}  // namespace
}  // namespace zeph
