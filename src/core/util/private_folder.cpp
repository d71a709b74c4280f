#include "core/util/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zeph {

FolderCheck CheckPrivateFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return {FolderTrust::kMissing, "does not exist"};
    return {FolderTrust::kUnreadable, std::string("cannot be examined: ") + std::strerror(errno)};
  }
  if (S_ISLNK(info.st_mode)) return {FolderTrust::kSymlink, "is a symbolic link"};
  if (!S_ISDIR(info.st_mode)) return {FolderTrust::kNotAFolder, "is not a folder"};
  if (info.st_uid != ::geteuid()) {
    return {FolderTrust::kOtherOwner, "belongs to user " + std::to_string(info.st_uid)};
  }
  if ((info.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    return {FolderTrust::kOpenToOthers, std::string("is open to other users (mode ") + mode + ")"};
  }
  return {FolderTrust::kPrivate, {}};
}

FolderCheck MakePrivateFolder(const std::string& path) {
  // mkdir never follows a link at `path`, and fails on anything already
  // there; whatever is there is then judged as it is.
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return {FolderTrust::kUnreadable, std::string("cannot be made: ") + std::strerror(errno)};
  }
  return CheckPrivateFolder(path);
}

std::string FolderRefusal(const std::string& path, const FolderCheck& check) {
  return "the folder " + path + " " + check.reason;
}

}  // namespace zeph
