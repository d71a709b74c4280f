// The card service serves only from a socket folder private to the user
// where it must (always for the fallback /tmp/zeph-<uid>).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cardservice/server.h"
#include "support/temp_folder.h"

namespace zeph::cardservice {
namespace {

using zeph::testing::TempFolder;

TEST(SocketFolderTest, AFolderThatIsNotPrivateIsRefusedWithItsNameAndReason) {
  TempFolder root;
  const std::string open = root.File("open");
  ASSERT_EQ(::mkdir(open.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(open.c_str(), 0755), 0);
  const std::string link = root.File("link");
  std::filesystem::create_directory_symlink(root.File("elsewhere"), link);
  struct Case {
    std::string dir;
    std::string reason;
  };
  for (const Case& c : {Case{open, "is open to other users"}, Case{link, "is a symbolic link"}}) {
    CardModel card;
    ServerOptions options;
    options.socketDir = c.dir;
    options.privateFolderOnly = true;
    Server server(card, options);
    std::string error;
    EXPECT_FALSE(server.Start(error));
    EXPECT_NE(error.find("the folder " + c.dir + " " + c.reason), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(c.dir + "/TavikZeph.sock"));
  }
}

}  // namespace
}  // namespace zeph::cardservice
