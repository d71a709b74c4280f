#pragma once
// One instance of the program per user: a lock file in the runtime folder,
// held until the process ends. A lock left by a process that no longer
// runs does not count.

#include <QLockFile>
#include <QString>
#include <memory>

namespace zeph {

class InstanceLock {
 public:
  explicit InstanceLock(const QString& path);

  // True when this process now holds the lock; false at once when another
  // running process holds it.
  bool TryTake();

  static QString DefaultPath();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace zeph
