#include "app/pictures/picture_file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <utility>

#include "app/base/texts.h"

namespace zeph {
namespace {

const QString kGmsFilter = QStringLiteral("GMS Files (*.gms)");
const QString kGmsExtension = QStringLiteral("gms");

QString Ask(QFileDialog& dialog) {
  dialog.setDefaultSuffix(kGmsExtension);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

}  // namespace

DialogFileChooser::DialogFileChooser(QString startFolder) : startFolder_(std::move(startFolder)) {}

QString DialogFileChooser::ImportFile(QWidget* owner) {
  QFileDialog dialog(owner, Text(StringId::kImportPictureTitle), startFolder_, kGmsFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return Ask(dialog);
}

QString DialogFileChooser::ExportFile(QWidget* owner) {
  QFileDialog dialog(owner, Text(StringId::kExportPictureTitle), startFolder_, kGmsFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Asking before an existing file is replaced is the save dialog's own.
  dialog.selectFile(QDir(startFolder_).filePath(QStringLiteral("Untitled")));
  return Ask(dialog);
}

}  // namespace zeph
