#include "app/pictures/picture_editor_dialog.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <memory>
#include <tuple>
#include <utility>

#include "app/base/command_action.h"
#include "app/base/control_id.h"
#include "app/base/program_bitmaps.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/controls/action_bar.h"
#include "app/controls/bar_window.h"
#include "app/controls/picture_display.h"
#include "app/controls/picture_edit_control.h"

namespace zeph {
namespace {

constexpr int kMargin = 9;

}  // namespace

PictureEditorDialog::PictureEditorDialog(QWidget* owner, PictureList& library,
                                         std::string libraryPath, int editIndex, Asker& asker)
    : QDialog(owner),
      library_(library),
      libraryPath_(std::move(libraryPath)),
      editIndex_(editIndex),
      asker_(asker),
      strip_(BitmapForResource(BitmapId::kLeftStrip)),
      bar_(new ActionBar(this)),                             // owned by the dialog
      editArea_(new PictureEditControl(this, kEditAreaSize,  // owned by the dialog
                                       library.GetAt(editIndex))),
      preview_(new PictureEditControl(this, kPreviewSize,  // owned by the dialog
                                      library.GetAt(editIndex))) {
  setObjectName(QStringLiteral("PictureEditorDialog"));
  setWindowTitle(QStringLiteral("Picture Editor"));

  bar_->SetBackground(BitmapForResource(BitmapId::kActionBar));
  const auto command = [this](StringId text, const std::array<IconId, 4>& icons,
                              QKeyCombination key, void (PictureEditorDialog::*run)()) {
    QAction* action = NewCommandAction(this, Text(text).trimmed(), icons);
    action->setShortcut(key);
    SetToolTipWithKey(action, action->text());
    connect(action, &QAction::triggered, this, run);
    addAction(action);
    bar_->AddAction(action);
  };
  command(StringId::kSavePictureTooltip,
          {IconId::kSaveNormal, IconId::kSaveHot, IconId::kSaveDisabled, IconId::kSavePressed},
          Qt::CTRL | Qt::Key_S, &PictureEditorDialog::Save);
  // Clear All's key is not Delete alone, which is the frame's.
  command(StringId::kClearAllTooltip,
          {IconId::kClearAllNormal, IconId::kClearAllHot, IconId::kClearAllDisabled,
           IconId::kClearAllPressed},
          Qt::CTRL | Qt::SHIFT | Qt::Key_Delete, &PictureEditorDialog::ClearAll);
  bar_->SetText(Text(StringId::kPictureEditorBarText));

  SetControlId(editArea_, ControlId::kPictureEditArea);
  SetControlId(preview_, ControlId::kPicturePreview);
  editArea_->setAccessibleName(QStringLiteral("Picture"));
  connect(editArea_, &PictureEditControl::Changed, this, &PictureEditorDialog::FollowEditArea);
  connect(preview_, &PictureEditControl::Changed, this, &PictureEditorDialog::FollowEditArea);

  auto* decoration =  // owned by the dialog
      new PictureDisplay(this, BitmapForResource(BitmapId::kPictureDecoration));
  SetControlId(decoration, ControlId::kPictureDecoration);
  auto* previewLabel = new QLabel(QStringLiteral("Preview:"), this);  // owned by the dialog
  previewLabel->setBuddy(preview_);
  auto* save = new QPushButton(QStringLiteral("&Save"), this);     // owned by the dialog
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);  // owned by the dialog
  save->setDefault(true);
  connect(save, &QPushButton::clicked, this, &PictureEditorDialog::Save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* etched = new QFrame(this);  // owned by the dialog
  etched->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* etchedLayout = new QHBoxLayout(etched);  // owned by the frame
  etchedLayout->setContentsMargins(6, 6, 6, 6);
  etchedLayout->addWidget(editArea_);

  auto* bottom = new QHBoxLayout;  // owned by the dialog's layout below
  bottom->addWidget(decoration, 0, Qt::AlignVCenter);
  bottom->addSpacing(4);
  bottom->addWidget(previewLabel, 0, Qt::AlignVCenter);
  bottom->addWidget(preview_, 0, Qt::AlignVCenter);
  bottom->addStretch(1);
  bottom->addWidget(save, 0, Qt::AlignBottom);
  bottom->addWidget(cancel, 0, Qt::AlignBottom);

  QVBoxLayout* layout = LayOutBarWindow(this, bar_, kMargin);
  layout->addWidget(etched);
  layout->addLayout(bottom);
  this->layout()->setSizeConstraint(QLayout::SetFixedSize);  // as large as its contents need
  save->setFocus();
}

void PictureEditorDialog::Save() {
  PictureImage picture{};
  PackPicture(editArea_->Grid(), picture);
  if (editIndex_ == kNewPicture) {
    library_.Add(std::make_unique<PictureImage>(picture));
  } else if (PictureImage* edited = library_.GetAt(editIndex_)) {
    *edited = picture;
  }
  static_cast<void>(SavePictureLibraryOrSay(libraryPath_, library_, asker_));
  done(1);
}

void PictureEditorDialog::ClearAll() {
  editArea_->Clear();
}

void PictureEditorDialog::FollowEditArea() {
  preview_->SetGrid(editArea_->Grid());
}

void PictureEditorDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLeftStrip(painter, strip_, bar_->height(), height());
}

}  // namespace zeph
