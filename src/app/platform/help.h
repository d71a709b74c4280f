#pragma once
// The program's help: HTML pages shipped with it, opened in the user's
// browser. Missing help does nothing.

#include <QString>

namespace zeph {

class AppContext;

enum class HelpPage { kContents, kIndex };

// The page's file: in "help" beside the program (a build tree), else in
// "../share/zephsms/help" from it (an installed program). Empty when
// neither has it.
QString HelpFile(const QString& programFolder, HelpPage page);

// Opens the page through the context's URL opener; false when the page is
// missing or could not be opened.
bool OpenHelp(const AppContext& context, HelpPage page);

}  // namespace zeph
