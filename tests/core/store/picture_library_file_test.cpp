#include "core/store/picture_library_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::TempFolder;

TEST(PictureLibraryFileTest, WholePicturesOnlyAreLoaded) {
  TempFolder folder;
  std::vector<uint8_t> bytes(600);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
  folder.Write("smspic.smp", bytes);
  PictureList list;
  EXPECT_EQ(LoadPictureLibrary(folder.File("smspic.smp"), list), 2);
  EXPECT_EQ((*list.GetAt(1))[0], static_cast<uint8_t>(252));

  folder.Write("short.smp", std::vector<uint8_t>(251, 0xFF));
  EXPECT_EQ(LoadPictureLibrary(folder.File("short.smp"), list), 0);
  EXPECT_EQ(LoadPictureLibrary(folder.File("absent.smp"), list), 0);
}

TEST(PictureLibraryFileTest, SaveWritesPicturesBackToBack) {
  TempFolder folder;
  PictureList list;
  auto first = std::make_unique<PictureImage>();
  first->fill(0x11);
  auto second = std::make_unique<PictureImage>();
  second->fill(0x22);
  list.Add(std::move(first));
  list.Add(std::move(second));
  EXPECT_EQ(SavePictureLibrary(folder.File("smspic.smp"), list), 2);
  std::vector<uint8_t> expected(252, 0x11);
  expected.insert(expected.end(), 252, 0x22);
  EXPECT_EQ(folder.Read("smspic.smp"), expected);
}

TEST(PictureLibraryFileTest, IdenticalPictureIsRecognised) {
  PictureList list;
  PictureImage picture{};
  picture[100] = 0x42;
  list.Add(std::make_unique<PictureImage>(picture));
  EXPECT_TRUE(LibraryHoldsPicture(list, picture));
  picture[251] = 1;
  EXPECT_FALSE(LibraryHoldsPicture(list, picture));
}

}  // namespace
}  // namespace zeph
