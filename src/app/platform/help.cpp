#include "app/platform/help.h"

#include <QFileInfo>

namespace zeph {

QString HelpFile(const QString& programFolder, HelpPage page) {
  const QString name = page == HelpPage::kContents ? QStringLiteral("contents.html")
                                                   : QStringLiteral("help-index.html");
  for (const QString& folder : {programFolder + QStringLiteral("/help"),
                                programFolder + QStringLiteral("/../share/zephsms/help")}) {
    const QFileInfo file(folder + u'/' + name);
    if (file.isFile()) return file.canonicalFilePath();
  }
  return {};
}

bool OpenHelp(const QString& programFolder, HelpPage page, const UrlOpener& open) {
  const QString file = HelpFile(programFolder, page);
  if (file.isEmpty() || !open) return false;
  return open(QUrl::fromLocalFile(file));
}

}  // namespace zeph
