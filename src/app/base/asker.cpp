#include "app/base/asker.h"

#include <QMessageBox>
#include <optional>
#include <string>

#include "app/base/texts.h"
#include "core/codecs/error_table.h"

namespace zeph {

bool MessageBoxAsker::AskYesNo(QWidget* owner, const QString& caption, const QString& question) {
  return QMessageBox::question(owner, caption, question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxAsker::ShowError(int code) {
  const std::optional<std::string> text = ErrorText(code);
  if (!text) return;
  QMessageBox box(QMessageBox::NoIcon, Text(StringId::kProgramTitle), FromCp1252(*text),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace zeph
