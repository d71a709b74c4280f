#pragma once

#include <QString>

namespace zeph {

// The user's runtime folder for the instance lock and the frame's socket:
// $XDG_RUNTIME_DIR, else a private folder under the temporary folder.
// Asking for it makes nothing.
QString RuntimeFolder();

// Run before anything is made in the runtime folder or reached through it.
// The session's $XDG_RUNTIME_DIR is trusted; the fallback under the
// temporary folder is made when missing and must then be private to the
// user (core/util/private_folder.h), or another user could pose as the
// running program. False, with a one-line reason naming the folder, when
// it is not.
bool CheckRuntimeFolder(QString* refusal);

// Makes the runtime folder (private to the user) when it is missing.
bool MakeRuntimeFolder();

}  // namespace zeph
