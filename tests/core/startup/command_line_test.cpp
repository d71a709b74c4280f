#include "core/startup/command_line.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

// Only the whole line counts, in any case; anything else starts in the Inbox.
TEST(CommandLineTest, KeywordsChooseTheirModuleAndStopStops) {
  for (auto [line, module, stop] : {std::tuple{"inbox", 0, false},
                                    {"OUTBOX", 1, false},
                                    {"SentItems", 2, false},
                                    {"statusReport", 3, false},
                                    {"CONTACTS", 4, false},
                                    {"STOP", 0, true},
                                    {"/usr/bin/zephsms outbox", 0, false},
                                    {"outbox ", 0, false},
                                    {" contacts", 0, false},
                                    {"", 0, false},
                                    {"stop now", 0, false}}) {
    EXPECT_EQ(ReadCommandLine(line).startModule, module) << line;
    EXPECT_EQ(ReadCommandLine(line).stop, stop) << line;
  }
}

}  // namespace
}  // namespace zeph
