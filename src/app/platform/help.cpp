#include "app/shell/help.h"

#include <QFileInfo>
#include <QUrl>

#include "app/shell/app_context.h"

namespace zeph {

QString HelpFile(const QString& programFolder, HelpPage page) {
  const QString name = page == HelpPage::kContents ? QStringLiteral("contents.html")
                                                   : QStringLiteral("help-index.html");
  for (const QString& folder :
       {programFolder + QStringLiteral("/help"),
        programFolder + QStringLiteral("/../share/zephsms/help")}) {
    const QFileInfo file(folder + u'/' + name);
    if (file.isFile()) return file.canonicalFilePath();
  }
  return {};
}

bool OpenHelp(const AppContext& context, HelpPage page) {
  const QString file = HelpFile(context.programFolder, page);
  if (file.isEmpty() || !context.openUrl) return false;
  return context.openUrl(QUrl::fromLocalFile(file));
}

}  // namespace zeph
