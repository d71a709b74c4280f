#include "core/store/block_list.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "core/store/locked_block_list.h"
#include "support/thread_state.h"

namespace zeph {
namespace {

std::unique_ptr<int> Block(int value) {
  return std::make_unique<int>(value);
}

std::vector<int> Values(const BlockList<int>& list) {
  std::vector<int> values;
  for (int v : list) values.push_back(v);
  return values;
}

TEST(BlockListTest, IndicesAddRemoveAndReplace) {
  BlockList<int> list;
  EXPECT_EQ(list.RemoveAll(), 1);  // also when empty
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Add(Block(10 * (i + 1))), i);
  // Bad indices give none or zero and change nothing.
  EXPECT_EQ(std::tuple(list.GetAt(-1), list.GetAt(3), list.RemoveAt(3), list.RemoveAt(-1),
                       list.ReplaceAt(3, Block(99))),
            std::tuple(nullptr, nullptr, 0, 0, 0));
  EXPECT_EQ(Values(list), (std::vector<int>{10, 20, 30}));
  // Removing moves the followers down.
  EXPECT_EQ(list.RemoveAt(0), 1);
  EXPECT_EQ(list.ReplaceAt(1, Block(31)), 1);
  EXPECT_EQ(Values(list), (std::vector<int>{20, 31}));
  EXPECT_EQ(list.RemoveAll(), 1);
  EXPECT_EQ(list.Add(Block(3)), 0);
  EXPECT_EQ(Values(list), (std::vector<int>{3}));
}

TEST(LockedBlockListTest, DetachHandsOverWithoutDestroying) {
  LockedBlockList<int> list;
  list.Add(Block(1));
  list.Add(Block(2));
  ScopedLock hold(list);
  int* second = list.GetAt(1);
  std::unique_ptr<int> detached = list.Detach(second);
  ASSERT_EQ(detached.get(), second);
  EXPECT_EQ(*detached, 2);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Detach(second), nullptr);  // no longer in the list
}

TEST(LockedBlockListTest, HolderKeepsOtherThreadsOut) {
  LockedBlockList<int> list;
  std::atomic<pid_t> adder{0};
  std::atomic<bool> added{false};
  list.Lock();
  std::thread other([&] {
    auto block = Block(7);
    adder = gettid();
    list.Add(std::move(block));
    added = true;
  });
  while (!added && !(adder != 0 && testing::ThreadSleeps(adder))) std::this_thread::yield();
  EXPECT_FALSE(added.load());
  list.Unlock();
  other.join();
  ScopedLock hold(list);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace zeph
