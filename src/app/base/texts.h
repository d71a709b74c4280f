#pragma once
// String-table texts as the widgets want them.

#include <QString>

#include "core/resources/string_table.h"
#include "core/util/cp1252.h"

namespace zeph {

inline QString FromCp1252(std::string_view text) {
  return QString::fromStdString(Utf8FromCp1252(text));
}

inline std::string ToCp1252(const QString& text) {
  return Cp1252FromUtf8(text.toStdString());
}

inline QString Text(StringId id) {
  return FromCp1252(LoadString(id));
}

}  // namespace zeph
