#pragma once
// The fallback runtime folders (/tmp/zeph-<uid> for the card service's
// socket, <tmp>/zephsms-<uid> for the program's lock and socket) lie in a
// folder every local user may write to. Another user who made such a folder
// first could pose as the card service, and read the user's messages and
// phonebook, or as a running program. So a fallback folder is used only
// when it is private: a real folder (not a link), owned by the user, with no
// permission for group or others.

#include <string>

namespace zeph {

enum class FolderTrust {
  kPrivate,       // a real folder of the user's, closed to everyone else
  kMissing,       // nothing there
  kSymlink,       // a symbolic link, wherever it points
  kNotAFolder,    // a file, a socket, ...
  kOtherOwner,    // owned by another user
  kOpenToOthers,  // group or others have some permission
  kUnreadable,    // lstat failed for another reason
};

struct FolderCheck {
  FolderTrust trust = FolderTrust::kUnreadable;
  // Why the folder is refused, as the end of a sentence naming it: "is a
  // symbolic link", "belongs to user 1001", "is open to other users (mode
  // 0755)". Empty for a private folder.
  std::string reason;
  bool ok() const { return trust == FolderTrust::kPrivate; }
};

// Checks `path` with lstat, without following a link.
[[nodiscard]] FolderCheck CheckPrivateFolder(const std::string& path);

// Makes `path` with mode 0700 when nothing is there, then checks it. An
// existing folder is never changed: its mode is not tightened, so a folder
// someone else prepared stays refused.
[[nodiscard]] FolderCheck MakePrivateFolder(const std::string& path);

// The one-line refusal: "the folder <path> <reason>".
std::string FolderRefusal(const std::string& path, const FolderCheck& check);

}  // namespace zeph
