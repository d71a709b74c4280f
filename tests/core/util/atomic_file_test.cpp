#include "core/util/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace zeph {
namespace {

using testing::TempFolder;

TEST(AtomicFileTest, ReplacesTheWholeFile) {
  TempFolder folder;
  folder.Write("f", std::vector<uint8_t>(1000, 1));
  std::vector<uint8_t> shorter = {9, 8, 7};
  ASSERT_TRUE(WriteFileAtomically(folder.File("f"), shorter));
  EXPECT_EQ(folder.Read("f"), shorter);
  auto read = ReadWholeFile(folder.File("f"));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, shorter);
}

TEST(AtomicFileTest, UnreadableAndEmptyFiles) {
  TempFolder folder;
  EXPECT_FALSE(ReadWholeFile(folder.File("absent")).has_value());
  folder.Write("empty", {});
  auto empty = ReadWholeFile(folder.File("empty"));
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->empty());
}

}  // namespace
}  // namespace zeph
