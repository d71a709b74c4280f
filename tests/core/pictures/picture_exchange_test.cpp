#include "core/pictures/picture_exchange.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::TempFolder;

PictureImage Filled(uint8_t value) {
  PictureImage picture;
  picture.fill(value);
  return picture;
}

TEST(PictureExchangeTest, ImportOfAHeldPictureAddsNothing) {
  TempFolder folder;
  PictureList library;
  library.Add(std::make_unique<PictureImage>(Filled(0x11)));
  library.Add(std::make_unique<PictureImage>(Filled(0x22)));
  ASSERT_TRUE(ExportGmsFile(folder.File("p.gms"), library, 1));

  GmsImportResult result = ImportGmsFile(folder.File("p.gms"), library, folder.File("smspic.smp"));
  EXPECT_EQ(result.outcome, PictureImport::kAlreadyHeld);
  EXPECT_EQ(library.Count(), 2);
  EXPECT_TRUE(folder.Read("smspic.smp").empty());  // nothing saved
}

TEST(PictureExchangeTest, ImportOfANewPictureAppendsAndSaves) {
  TempFolder folder;
  PictureList source;
  source.Add(std::make_unique<PictureImage>(Filled(0x33)));
  ASSERT_TRUE(ExportGmsFile(folder.File("p.gms"), source, 0));

  PictureList library;
  library.Add(std::make_unique<PictureImage>(Filled(0x11)));
  GmsImportResult result = ImportGmsFile(folder.File("p.gms"), library, folder.File("smspic.smp"));
  EXPECT_EQ(result.outcome, PictureImport::kAdded);
  EXPECT_TRUE(result.saved);
  ASSERT_EQ(library.Count(), 2);
  EXPECT_EQ(*library.GetAt(1), Filled(0x33));
  std::vector<uint8_t> expected(252, 0x11);
  expected.insert(expected.end(), 252, 0x33);
  EXPECT_EQ(folder.Read("smspic.smp"), expected);
}

TEST(PictureExchangeTest, RefusedFilesChangeNothing) {
  TempFolder folder;
  PictureList library;
  folder.Write("long.gms", std::vector<uint8_t>(264, 0));
  GmsImportResult result = ImportGmsFile(folder.File("long.gms"), library, folder.File("smspic.smp"));
  EXPECT_EQ(result.outcome, PictureImport::kRefused);
  EXPECT_EQ(result.refusal, GmsRefusal::kTooLong);
  result = ImportGmsFile(folder.File("absent.gms"), library, folder.File("smspic.smp"));
  EXPECT_EQ(result.refusal, GmsRefusal::kUnreadable);
  EXPECT_EQ(library.Count(), 0);
  EXPECT_TRUE(folder.Read("smspic.smp").empty());
}

TEST(PictureExchangeTest, ExportNeedsAPictureAndAWritablePlace) {
  TempFolder folder;
  PictureList library;
  EXPECT_FALSE(ExportGmsFile(folder.File("a.gms"), library, 0));
  library.Add(std::make_unique<PictureImage>(Filled(0xFF)));
  EXPECT_FALSE(ExportGmsFile(folder.File("a.gms"), library, -1));
  EXPECT_FALSE(ExportGmsFile(folder.File("missing/a.gms"), library, 0));
  ASSERT_TRUE(ExportGmsFile(folder.File("a.gms"), library, 0));
  EXPECT_EQ(folder.Read("a.gms").size(), 263u);
}

TEST(PictureExchangeTest, AddPictureOnce) {
  PictureList library;
  EXPECT_TRUE(AddPictureOnce(library, Filled(1)));
  EXPECT_FALSE(AddPictureOnce(library, Filled(1)));
  EXPECT_TRUE(AddPictureOnce(library, Filled(2)));
  EXPECT_EQ(library.Count(), 2);
}

}  // namespace
}  // namespace zeph
