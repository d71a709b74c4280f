#pragma once
// The program's help: HTML pages shipped with it, opened in the user's
// browser. Missing help does nothing.

#include <QString>
#include <QUrl>
#include <functional>

namespace zeph {

enum class HelpPage { kContents, kIndex };

// Opens a web address or a help page in the user's browser; false when it
// could not.
using UrlOpener = std::function<bool(const QUrl&)>;

// The page's file: in "help" beside the program (a build tree), else in
// "../share/zephsms/help" from it (an installed program). Empty when
// neither has it.
QString HelpFile(const QString& programFolder, HelpPage page);

// Opens the page of the program in `programFolder`; false when the page is
// missing or could not be opened.
bool OpenHelp(const QString& programFolder, HelpPage page, const UrlOpener& open);

}  // namespace zeph
