// The card service serves only from a socket folder private to the user where it must.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cardservice/emulator_backend.h"
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
  CardModel card;
  ServerOptions options;
  options.socketDir = open;
  options.privateFolderOnly = true;
  EmulatorBackend backend(card);
  Server server(backend, options);
  std::string error;
  EXPECT_FALSE(server.Start(error));
  EXPECT_NE(error.find("the folder " + open + " is open to other users"), std::string::npos)
      << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(open + "/TavikZeph.sock"));
}

}  // namespace
}  // namespace zeph::cardservice
