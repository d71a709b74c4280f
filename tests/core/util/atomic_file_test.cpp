#include "core/util/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#include "support/temp_folder.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const std::vector<uint8_t> kNew = {9, 8, 7};

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

unsigned ModeOf(const std::string& path) {
  return StatOf(path).st_mode & 07777;
}

long EntriesIn(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Sets the umask for one test and puts the previous one back.
class Umask {
 public:
  explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
  ~Umask() { ::umask(previous_); }

 private:
  mode_t previous_;
};

// Only a save of the very bytes the file holds leaves it alone; every other
// replaces the whole file and leaves no temporary file.
TEST(AtomicFileTest, OnlyASaveOfTheSameBytesIsSkipped) {
  const std::vector<uint8_t> held = {1, 2, 3, 4};
  const std::vector<std::vector<uint8_t>> writes = {{1, 2, 3, 4}, {1, 2, 3, 5},    {9, 2, 3, 4},
                                                    {1, 2, 3},    {1, 2, 3, 4, 0}, {}};
  for (const auto& bytes : writes) {
    TempFolder folder;
    folder.Write("f", held);
    const ino_t before = StatOf(folder.File("f")).st_ino;
    ASSERT_TRUE(WriteFileAtomically(folder.File("f"), bytes));
    EXPECT_EQ(ReadWholeFile(folder.File("f")), bytes);
    EXPECT_EQ(StatOf(folder.File("f")).st_ino == before, bytes == held) << bytes.size();
    EXPECT_EQ(EntriesIn(folder.path()), 1);
  }
  EXPECT_FALSE(ReadWholeFile("/nonexistent/absent").has_value());
}

// A save keeps the file's own mode; a new file gets the one asked for less the umask.
TEST(AtomicFileTest, SavesKeepTheModeTheUserSetAndMakeNewFilesPrivate) {
  struct Case {
    const char* what;
    int existingMode;  // -1: no file yet
    mode_t umask;
    unsigned newFileMode;
    unsigned expected;
  };
  const Case cases[] = {
      {"existing 0640 under umask 077", 0640, 077, kPrivateFileMode, 0640},
      {"existing 0604 under umask 077", 0604, 077, kPrivateFileMode, 0604},
      {"existing 0600 under umask 022", 0600, 022, kPrivateFileMode, 0600},
      {"new store file under umask 000", -1, 000, kPrivateFileMode, 0600},
      {"new shared file under umask 022", -1, 022, kSharedFileMode, 0644},
      {"new shared file under umask 077", -1, 077, kSharedFileMode, 0600},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("recsms.sms");
    if (c.existingMode >= 0) {
      folder.Write("recsms.sms", {1});
      ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.existingMode)), 0);
    }
    Umask mask(c.umask);
    ASSERT_TRUE(WriteFileAtomically(path, kNew, Durability::kSynced, c.newFileMode)) << c.what;
    EXPECT_EQ(ModeOf(path), c.expected) << c.what;
    EXPECT_EQ(folder.Read("recsms.sms"), kNew) << c.what;
  }
}

TEST(AtomicFileTest, ASymlinkedFileIsWrittenThroughAndStaysALink) {
  TempFolder folder;
  fs::create_directory(folder.path() / "synced");
  folder.Write("synced/recsms.sms", {1, 2, 3, 4});
  ASSERT_EQ(::chmod(folder.File("synced/recsms.sms").c_str(), 0640), 0);
  struct Case {
    const char* what;
    const char* link;
    const char* pointsTo;
  };
  // A relative link, an absolute one, and a chain of two.
  const Case cases[] = {
      {"relative", "a.sms", "synced/recsms.sms"},
      {"absolute", "b.sms", nullptr},
      {"chain", "c.sms", "a.sms"},
  };
  Umask mask(077);
  for (const Case& c : cases) {
    const fs::path link = folder.path() / c.link;
    fs::create_symlink(c.pointsTo ? fs::path(c.pointsTo) : folder.path() / "synced/recsms.sms",
                       link);
    const std::vector<uint8_t> bytes = {static_cast<uint8_t>(c.link[0])};
    ASSERT_TRUE(WriteFileAtomically(link.string(), bytes)) << c.what;
    EXPECT_TRUE(fs::is_symlink(link)) << c.what;
    EXPECT_EQ(folder.Read("synced/recsms.sms"), bytes) << c.what;
    EXPECT_EQ(ModeOf(folder.File("synced/recsms.sms")), 0640u) << c.what;
  }
  // The temporary files went beside the target and are gone.
  EXPECT_EQ(EntriesIn(folder.path() / "synced"), 1);
}

TEST(AtomicFileTest, ALinkToAMissingFileMakesTheTargetAndALoopIsRefused) {
  TempFolder folder;
  fs::create_directory(folder.path() / "synced");
  fs::create_symlink("synced/outbox.sms", folder.path() / "outbox.sms");
  Umask mask(022);
  ASSERT_TRUE(WriteFileAtomically(folder.File("outbox.sms"), kNew));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "outbox.sms"));
  EXPECT_EQ(folder.Read("synced/outbox.sms"), kNew);
  EXPECT_EQ(ModeOf(folder.File("synced/outbox.sms")), 0600u);

  fs::create_symlink("loop2", folder.path() / "loop1");
  fs::create_symlink("loop1", folder.path() / "loop2");
  EXPECT_FALSE(WriteFileAtomically(folder.File("loop1"), kNew));
  EXPECT_EQ(errno, ELOOP);  // a failure says why, for the error box
  EXPECT_TRUE(fs::is_symlink(folder.path() / "loop1"));
  fs::create_directory(folder.path() / "folder.sms");  // only a regular file is replaced
  EXPECT_FALSE(WriteFileAtomically(folder.File("folder.sms"), kNew));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_TRUE(fs::is_directory(folder.path() / "folder.sms"));

  // A write cut short by the file size limit fails and takes its temporary file with it.
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small = {2, limit.rlim_max};
  const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_FALSE(WriteFileAtomically(folder.File("cut.sms"), kNew));
  EXPECT_EQ(errno, EFBIG);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(EntriesIn(folder.path()), 5);
}

TEST(AtomicFileTest, TheOwnerIsKeptWhereTheProcessMaySetIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  TempFolder folder;
  folder.Write("sentsms.sms", {1});
  const std::string path = folder.File("sentsms.sms");
  constexpr uid_t kOther = 65534;
  ASSERT_EQ(::chown(path.c_str(), kOther, kOther), 0);
  ASSERT_TRUE(WriteFileAtomically(path, kNew));
  const struct stat info = StatOf(path);
  EXPECT_EQ(info.st_uid, kOther);
  EXPECT_EQ(info.st_gid, kOther);
}

}  // namespace
}  // namespace zeph
