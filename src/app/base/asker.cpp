#include "app/base/asker.h"

#include <QMessageBox>

namespace zeph {

bool MessageBoxAsker::AskYesNo(QWidget* owner, const QString& caption, const QString& question) {
  return QMessageBox::question(owner, caption, question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxAsker::ShowError(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
  box.exec();
}

}  // namespace zeph
