#include "app/base/error_box.h"

#include "app/base/asker.h"
#include "app/base/texts.h"
#include "core/codecs/error_table.h"

namespace zeph {

void ShowError(Asker& asker, int code) {
  const std::optional<std::string> text = ErrorText(code);
  if (!text) return;
  asker.ShowError(Text(StringId::kProgramTitle), FromCp1252(*text));
}

}  // namespace zeph
