#pragma once
// The About box: the program's picture, name and notices, and
// a banner that fades into the dialog face through a mask.

#include <QDialog>
#include <QImage>

namespace zeph {

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);

  // The banner as blended when the dialog opened, top row first.
  const QImage& BlendedBanner() const { return banner_; }

 private:
  QImage banner_;
};

}  // namespace zeph
