#include "core/store/value_block_list.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace zeph {
namespace {

using Block = std::array<char, 4>;

// Every operation, in a long pseudo-random sequence, against a plain vector
// doing the same: the list moves between its inline block and the heap
// often, which is where it could lose or keep a block wrongly.
TEST(ValueBlockListTest, BehavesAsAPlainVectorThroughEveryChange) {
  ValueBlockList<Block> list;
  std::vector<Block> model;
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t bound) {
    seed = seed * 1103515245 + 12345;
    return (seed >> 16) % bound;
  };
  for (int step = 0; step < 4000; ++step) {
    const Block block{static_cast<char>(step), static_cast<char>(step >> 8), 'x', 0};
    const int index = static_cast<int>(next(4)) - 1;  // -1 to 2: bad indices too
    const bool inRange = index >= 0 && index < static_cast<int>(model.size());
    switch (next(6)) {
      case 0:
      case 1:
        ASSERT_EQ(list.Add(block), static_cast<int>(model.size()));
        model.push_back(block);
        break;
      case 2:
        ASSERT_EQ(list.RemoveAt(index), inRange ? 1 : 0);
        if (inRange) model.erase(model.begin() + index);
        break;
      case 3:
        ASSERT_EQ(list.ReplaceAt(index, block), inRange ? 1 : 0);
        if (inRange) model[static_cast<size_t>(index)] = block;
        break;
      case 4: {
        const int count = static_cast<int>(next(4));
        list.Resize(count);
        model.resize(static_cast<size_t>(count));
        break;
      }
      default:
        if (next(4) == 0) {
          list.RemoveAll();
          model.clear();
        }
    }
    ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << step;
    ASSERT_EQ(std::vector<Block>(list.begin(), list.end()), model) << step;
    for (int i = 0; i < list.Count(); ++i) ASSERT_EQ(*list.GetAt(i), model[static_cast<size_t>(i)]);
    ASSERT_EQ(list.GetAt(list.Count()), nullptr);
  }
}

}  // namespace
}  // namespace zeph
