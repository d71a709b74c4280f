#include "core/pictures/picture_exchange.h"

#include <gtest/gtest.h>

#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::FilledPicture;

class PictureExchangeTest : public ::testing::Test {
 protected:
  GmsImportResult Import(const std::string& file) {
    return ImportGmsFile(folder_.File(file), library_, folder_.File("smspic.smp"));
  }
  testing::TempFolder folder_;
  PictureList library_;
};

TEST_F(PictureExchangeTest, ImportAddsAndSavesOnlyAWellFormedPictureNotYetHeld) {
  library_.Add(std::make_unique<PictureImage>(FilledPicture(0x11)));
  library_.Add(std::make_unique<PictureImage>(FilledPicture(0x33)));
  ASSERT_TRUE(ExportGmsFile(folder_.File("p.gms"), library_, 1));
  ASSERT_EQ(library_.RemoveAt(1), 1);
  ASSERT_TRUE(ExportGmsFile(folder_.File("held.gms"), library_, 0));

  EXPECT_EQ(Import("held.gms").outcome, PictureImport::kAlreadyHeld);
  folder_.Write("long.gms", std::vector<uint8_t>(264, 0));
  EXPECT_EQ(Import("long.gms").outcome, PictureImport::kRefused);  // each refusal: gms_file_test
  EXPECT_EQ(library_.Count(), 1);
  EXPECT_TRUE(folder_.Read("smspic.smp").empty());  // neither saved anything
  GmsImportResult result = Import("p.gms");
  EXPECT_EQ(result.outcome, PictureImport::kAdded);
  EXPECT_TRUE(result.saved);
  ASSERT_EQ(library_.Count(), 2);
  EXPECT_EQ(*library_.GetAt(1), FilledPicture(0x33));
  std::vector<uint8_t> expected(252, 0x11);
  expected.insert(expected.end(), 252, 0x33);
  EXPECT_EQ(folder_.Read("smspic.smp"), expected);
}

TEST_F(PictureExchangeTest, ExportNeedsAPictureAndAWritablePlace) {
  EXPECT_FALSE(ExportGmsFile(folder_.File("a.gms"), library_, 0));
  library_.Add(std::make_unique<PictureImage>(FilledPicture(0xFF)));
  EXPECT_FALSE(ExportGmsFile(folder_.File("a.gms"), library_, -1));
  EXPECT_FALSE(ExportGmsFile(folder_.File("missing/a.gms"), library_, 0));
  EXPECT_TRUE(ExportGmsFile(folder_.File("a.gms"), library_, 0));
}

}  // namespace
}  // namespace zeph
