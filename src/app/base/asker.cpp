#include "app/base/asker.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <cstring>
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
  if (text) ShowFailure(FromCp1252(*text));
}

void MessageBoxAsker::ShowFailure(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, Text(StringId::kProgramTitle), text, QMessageBox::Ok);
  box.exec();
}

QString WriteFailureText(const std::string& path, int error) {
  return QStringLiteral("Could not save \"%1\": %2.")
      .arg(QDir::toNativeSeparators(QFile::decodeName(path.c_str())),
           QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace zeph
