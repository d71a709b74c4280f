#include "app/platform/instance_lock.h"

#include "app/platform/runtime_folder.h"

namespace zeph {

InstanceLock::InstanceLock(const QString& path) : lock_(std::make_unique<QLockFile>(path)) {
  // Only a dead owner makes a lock stale, never its age: the first
  // instance may run for weeks.
  lock_->setStaleLockTime(0);
}

bool InstanceLock::TryTake() {
  return MakeRuntimeFolder() && lock_->tryLock(0);
}

QString InstanceLock::DefaultPath() {
  return RuntimeFolder() + QStringLiteral("/ZephSMSAPP.lock");
}

}  // namespace zeph
