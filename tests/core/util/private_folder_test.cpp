#include "core/util/private_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Each way a fallback runtime folder can be refused, and the one it passes.
TEST(PrivateFolderTest, OnlyARealFolderOfTheUserClosedToOthersPasses) {
  TempFolder root;
  const std::string good = root.File("good");
  ASSERT_EQ(::mkdir(good.c_str(), 0700), 0);
  struct Case {
    const char* name;
    FolderTrust trust;
    const char* reason;  // a part of the refusal
  };
  const Case cases[] = {
      {"good", FolderTrust::kPrivate, ""},
      {"missing", FolderTrust::kMissing, "does not exist"},
      {"link", FolderTrust::kSymlink, "is a symbolic link"},
      {"file", FolderTrust::kNotAFolder, "is not a folder"},
      {"group", FolderTrust::kOpenToOthers, "is open to other users (mode 0750)"},
      {"others", FolderTrust::kOpenToOthers, "is open to other users (mode 0701)"},
      {"sticky", FolderTrust::kOpenToOthers, "is open to other users (mode 1777)"},
  };
  fs::create_directory_symlink(good, root.File("link"));  // to a good folder, still refused
  root.Write("file", {1});
  for (auto [name, mode] : {std::pair{"group", 0750}, {"others", 0701}, {"sticky", 01777}}) {
    ASSERT_EQ(::mkdir(root.File(name).c_str(), 0700), 0);
    ASSERT_EQ(::chmod(root.File(name).c_str(), static_cast<mode_t>(mode)), 0);
  }
  for (const Case& c : cases) {
    const FolderCheck check = CheckPrivateFolder(root.File(c.name));
    EXPECT_EQ(check.trust, c.trust) << c.name;
    EXPECT_EQ(check.ok(), c.trust == FolderTrust::kPrivate) << c.name;
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << c.name << ": " << check.reason;
  }
}

TEST(PrivateFolderTest, AFolderOfAnotherUserIsRefused) {
  TempFolder root;
  std::string theirs = root.File("theirs");
  if (::geteuid() == 0) {
    ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
  } else {
    theirs = "/";  // root's, and open to others too: the owner is told first
  }
  const FolderCheck check = CheckPrivateFolder(theirs);
  EXPECT_EQ(check.trust, FolderTrust::kOtherOwner);
  EXPECT_NE(check.reason.find("belongs to user "), std::string::npos) << check.reason;
}

TEST(PrivateFolderTest, MakeCreatesAPrivateFolderButNeverMendsAnExistingOne) {
  TempFolder root;
  const mode_t previous = ::umask(022);
  const FolderCheck made = MakePrivateFolder(root.File("new"));
  ::umask(previous);
  EXPECT_TRUE(made.ok()) << made.reason;
  EXPECT_EQ(fs::status(root.File("new")).permissions(), fs::perms::owner_all);

  ASSERT_EQ(::mkdir(root.File("open").c_str(), 0700), 0);
  ASSERT_EQ(::chmod(root.File("open").c_str(), 0755), 0);
  EXPECT_EQ(MakePrivateFolder(root.File("open")).trust, FolderTrust::kOpenToOthers);
  EXPECT_EQ(fs::status(root.File("open")).permissions(), fs::perms(0755));
}

}  // namespace
}  // namespace zeph
