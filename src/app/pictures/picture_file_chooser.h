#pragma once
// Where the Picture Library asks for the GMS file to import or to export
// to. The program asks with the system's file dialogs; tests answer with a
// chooser of their own, without a dialog.

#include <QString>

class QWidget;

namespace zeph {

class PictureFileChooser {
 public:
  virtual ~PictureFileChooser() = default;
  // An existing file to import; empty when the user cancels.
  virtual QString ImportFile(QWidget* owner) = 0;
  // The file to export to, which the user has agreed to replace if it
  // exists; empty when the user cancels.
  virtual QString ExportFile(QWidget* owner) = 0;
};

// The file dialogs: title "Import Picture" or "Export Picture", the one
// filter "GMS Files (*.gms)", the extension ".gms" added to a name typed
// without one, "Untitled" proposed for an export. Both start in
// `startFolder`.
class DialogFileChooser final : public PictureFileChooser {
 public:
  explicit DialogFileChooser(QString startFolder);
  QString ImportFile(QWidget* owner) override;
  QString ExportFile(QWidget* owner) override;

 private:
  QString startFolder_;
};

}  // namespace zeph
