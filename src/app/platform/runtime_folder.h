#pragma once

#include <QString>

namespace zeph {

// The user's runtime folder for the instance lock and the frame's socket:
// $XDG_RUNTIME_DIR, else a private folder under the temporary folder.
// Asking for it makes nothing.
QString RuntimeFolder();

// Makes the runtime folder (private to the user) when it is missing.
bool MakeRuntimeFolder();

}  // namespace zeph
