#include "app/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/base/control_id.h"
#include "app/base/program_bitmaps.h"
#include "app/base/texts.h"
#include "core/resources/about_blend.h"

namespace zeph {
namespace {

// Shows the blended banner; it is made once and only copied on repaints.
class BannerArea final : public QWidget {
 public:
  BannerArea(QWidget* parent, const QImage& image) : QWidget(parent), image_(image) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  }
  QSize sizeHint() const override { return {kAboutBlendWidth, kAboutBlendHeight}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
  }

 private:
  const QImage& image_;
};

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About %1").arg(Text(StringId::kProgramTitle)));

  const QColor face = palette().color(QPalette::Window);
  const std::array<uint8_t, 3> faceBgr = {static_cast<uint8_t>(face.blue()),
                                          static_cast<uint8_t>(face.green()),
                                          static_cast<uint8_t>(face.red())};
  banner_ = ImageFromBottomUpBgr(BlendOverFace(AboutBannerBits(), AboutMaskBits(), faceBgr),
                                 kAboutBlendWidth, kAboutBlendHeight);

  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* banner = new BannerArea(this, banner_);  // owned by the dialog
  SetControlId(banner, ControlId::kAboutBanner);
  layout->addWidget(banner);

  auto* row = new QHBoxLayout;       // owned by the dialog's layout
  auto* picture = new QLabel(this);  // owned by the dialog
  picture->setPixmap(BitmapForResource(BitmapId::kAboutPicture));
  picture->setAlignment(Qt::AlignTop);
  row->addWidget(picture);
  auto* texts = new QVBoxLayout;                                 // owned by the row
  auto* name = new QLabel(Text(StringId::kProgramTitle), this);  // owned by the dialog
  QFont nameFont = name->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
  name->setFont(nameFont);
  texts->addWidget(name);
  texts->addWidget(
      new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(ZEPH_VERSION)), this));
  texts->addWidget(
      new QLabel(QStringLiteral("Copyright \u00a9 Tavik Wireless. All rights reserved."), this));
  texts->addWidget(
      new QLabel(QStringLiteral("Tavik and Zeph are trademarks of Tavik Wireless."), this));
  texts->addStretch();
  row->addLayout(texts, 1);
  layout->addLayout(row);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);  // owned by the dialog
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace zeph
