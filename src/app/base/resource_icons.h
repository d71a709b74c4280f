#pragma once
// Every icon the program shows, by the resource number the program's
// modules use for it. Icons come from the desktop's icon theme by their
// freedesktop name, and from the program's own drawings where the theme
// has none.

#include <QIcon>

namespace zeph {

// Resource numbers.
inline constexpr int kApplicationIcon = 100;
inline constexpr int kMessageItemIcon = 160;  // a row of a message folder
inline constexpr int kContactItemIcon = 172;  // a row of Contacts

// The icon of a resource number; an empty icon for a number the table does
// not hold.
QIcon IconForResource(int id);

// The freedesktop name looked up for the number, or nullptr.
const char* ThemeNameForResource(int id);

}  // namespace zeph
