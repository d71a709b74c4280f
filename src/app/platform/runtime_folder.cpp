#include "app/platform/runtime_folder.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace zeph {

QString RuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
  return QDir::tempPath() + QStringLiteral("/zephsms-%1").arg(getuid());
}

bool MakeRuntimeFolder() {
  const QString folder = RuntimeFolder();
  if (QDir(folder).exists()) return true;
  if (!QDir().mkpath(folder)) return false;
  return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace zeph
