#pragma once

#include <QString>

namespace zeph {

// Starts the card manager, "zephui" in the program's folder, detached,
// with that folder as its working folder. Failure is silent; the result
// says whether it started.
bool StartCardManager(const QString& programFolder);

}  // namespace zeph
