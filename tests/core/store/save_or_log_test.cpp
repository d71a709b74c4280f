// The saves whose failure reaches no one but the failure log.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/message_file.h"
#include "core/util/failure_log.h"
#include "support/records.h"
#include "support/temp_folder.h"

namespace zeph {
namespace {

std::vector<std::string> g_lines;

TEST(SaveOrLogTest, AFailedSaveIsLoggedWithItsPathAndAGoodOneIsNot) {
  testing::TempFolder folder;
  SetFailureSink([](std::string_view line) { g_lines.emplace_back(line); });
  MessageList list;
  // An empty list saved and a failed save both give 0; only the failure may be logged.
  SaveMessageFileOrLog(folder.File("recsms.sms"), list);
  EXPECT_TRUE(g_lines.empty());
  EXPECT_EQ(folder.Read("recsms.sms").size(), 22u);

  list.Add(testing::Message("+4411", "kept", {}));
  const std::string missing = folder.File("no-such-folder/recsms.sms");
  SaveMessageFileOrLog(missing, list);
  ASSERT_EQ(g_lines.size(), 1u);
  EXPECT_NE(g_lines[0].find(missing), std::string::npos) << g_lines[0];
  EXPECT_EQ(list.Count(), 1);

  SetFailureSink(nullptr);  // switched off: dropped
  SaveMessageFileOrLog(missing, list);
  EXPECT_EQ(g_lines.size(), 1u);
}

}  // namespace
}  // namespace zeph
