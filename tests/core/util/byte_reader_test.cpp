#include "core/util/byte_order.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(ByteReaderTest, ReadsLittleEndianAndFailsStickilyAtTheEnd) {
  const std::vector<uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
  ByteReader in(bytes);
  EXPECT_EQ(in.U16(), 0x0201);
  EXPECT_EQ(in.U32(), 0x06050403u);
  EXPECT_TRUE(in.ok());
  EXPECT_EQ(in.U16(), 0);  // only one byte left
  EXPECT_FALSE(in.ok());
  EXPECT_EQ(in.U8(), 0);  // still failed, even though a byte remains
  EXPECT_EQ(in.offset(), 6u);
}

}  // namespace
}  // namespace zeph
