#include "core/startup/command_line.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(CommandLineTest, KeywordsChooseTheirModuleWhateverTheirCase) {
  EXPECT_EQ(ReadCommandLine("inbox").startModule, 0);
  EXPECT_EQ(ReadCommandLine("OUTBOX").startModule, 1);
  EXPECT_EQ(ReadCommandLine("SentItems").startModule, 2);
  EXPECT_EQ(ReadCommandLine("statusReport").startModule, 3);
  EXPECT_EQ(ReadCommandLine("CONTACTS").startModule, 4);
  EXPECT_FALSE(ReadCommandLine("outbox").stop);
}

TEST(CommandLineTest, OnlyTheWholeLineCounts) {
  EXPECT_EQ(ReadCommandLine("/usr/bin/zephsms outbox").startModule, 0);
  EXPECT_EQ(ReadCommandLine("outbox ").startModule, 0);
  EXPECT_EQ(ReadCommandLine(" contacts").startModule, 0);
  EXPECT_EQ(ReadCommandLine("").startModule, 0);
  EXPECT_FALSE(ReadCommandLine("stop now").stop);
  EXPECT_FALSE(ReadCommandLine("").stop);
}

TEST(CommandLineTest, StopIsRecognisedInAnyCase) {
  EXPECT_TRUE(ReadCommandLine("stop").stop);
  EXPECT_TRUE(ReadCommandLine("STOP").stop);
  EXPECT_EQ(ReadCommandLine("Stop").startModule, 0);
}

}  // namespace
}  // namespace zeph
