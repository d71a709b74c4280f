#include "core/codecs/error_table.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(ErrorTableTest, CodesOutsideTheTableShowNothing) {
  EXPECT_FALSE(ErrorText(1).has_value());
  EXPECT_FALSE(ErrorText(65).has_value());
}

}  // namespace
}  // namespace zeph
