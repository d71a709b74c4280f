#include "app/platform/card_manager.h"

#include <QFileInfo>
#include <QProcess>

namespace zeph {

bool StartCardManager(const QString& programFolder) {
  const QString program = programFolder + QStringLiteral("/zephui");
  if (!QFileInfo(program).isExecutable()) return false;
  return QProcess::startDetached(program, {}, programFolder);
}

}  // namespace zeph
