#include "app/platform/runtime_folder.h"

#include <unistd.h>
#include <QDir>
#include <QFile>

#include "core/util/private_folder.h"

namespace zeph {
namespace {

bool SessionFolderSet() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QDir(runtime).exists();
}

}  // namespace

QString RuntimeFolder() {
  if (SessionFolderSet()) return qEnvironmentVariable("XDG_RUNTIME_DIR");
  return QDir::tempPath() + QStringLiteral("/zephsms-%1").arg(getuid());
}

bool CheckRuntimeFolder(QString* refusal) {
  if (SessionFolderSet()) return true;
  const std::string folder = QFile::encodeName(RuntimeFolder()).toStdString();
  const FolderCheck check = MakePrivateFolder(folder);
  if (check.ok()) return true;
  *refusal = QFile::decodeName(FolderRefusal(folder, check).c_str());
  return false;
}

bool MakeRuntimeFolder() {
  const QString folder = RuntimeFolder();
  if (QDir(folder).exists()) return true;
  if (!QDir().mkpath(folder)) return false;
  return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace zeph
