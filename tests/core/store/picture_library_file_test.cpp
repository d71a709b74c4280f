#include "core/store/picture_library_file.h"

#include <gtest/gtest.h>

#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::FilledPicture;
using testing::TempFolder;

// Saving is checked through the picture exchange, which compares the file's bytes.
TEST(PictureLibraryFileTest, OnlyWholePicturesAreLoaded) {
  TempFolder folder;
  PictureList list;
  std::vector<uint8_t> bytes(252, 0x11);
  bytes.insert(bytes.end(), 252, 0x22);
  bytes.resize(600, 0x33);  // a third picture cut short
  folder.Write("cut.smp", bytes);
  EXPECT_EQ(LoadPictureLibrary(folder.File("cut.smp"), list), 2);
  EXPECT_EQ(*list.GetAt(1), FilledPicture(0x22));
  folder.Write("short.smp", std::vector<uint8_t>(251, 0xFF));
  EXPECT_EQ(LoadPictureLibrary(folder.File("short.smp"), list), 0);
  EXPECT_EQ(LoadPictureLibrary(folder.File("absent.smp"), list), 0);
}

TEST(PictureLibraryFileTest, IdenticalPictureIsRecognised) {
  PictureList list;
  PictureImage picture = testing::NumberedPicture();
  list.Add(std::make_unique<PictureImage>(picture));
  EXPECT_TRUE(LibraryHoldsPicture(list, picture));
  picture[251] = 1;
  EXPECT_FALSE(LibraryHoldsPicture(list, picture));
}

}  // namespace
}  // namespace zeph
