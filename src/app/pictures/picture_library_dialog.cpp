#include "app/pictures/picture_library_dialog.h"

#include <QAction>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <array>
#include <cerrno>

#include "app/base/asker.h"
#include "app/base/command_action.h"
#include "app/base/control_id.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/controls/action_bar.h"
#include "app/controls/bar_window.h"
#include "app/pictures/picture_editor_dialog.h"
#include "app/pictures/picture_file_chooser.h"
#include "app/pictures/picture_item_delegate.h"
#include "app/pictures/picture_library_model.h"
#include "core/pictures/picture_exchange.h"

namespace zeph {
namespace {

constexpr int kMargin = 9;
// The list shows four rows of items and five columns before it scrolls
// sideways.
constexpr int kVisibleRows = 4;
constexpr int kVisibleColumns = 5;

std::string NativePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

PictureLibraryDialog::PictureLibraryDialog(QWidget* owner, const ModuleServices& services,
                                           PictureLibraryUse use, PictureFileChooser* chooser)
    : QDialog(owner),
      services_(services),
      use_(use),
      chooser_(chooser),
      strip_(BitmapForResource(BitmapId::kLeftStrip)),
      bar_(new ActionBar(this)),                                        // owned by the dialog
      model_(new PictureLibraryModel(services.store->Lists().pictures,  // owned by the dialog
                                     this)),
      list_(new QListView(this)),                        // owned by the dialog
      ok_(new QPushButton(QStringLiteral("OK"), this)),  // owned by the dialog
      popup_(new QMenu(this)) {                          // owned by the dialog
  setObjectName(QStringLiteral("PictureLibraryDialog"));
  setWindowTitle(QStringLiteral("Picture Library"));
  if (chooser_ == nullptr) {
    // The file dialogs start where the library itself is kept.
    ownChooser_ = std::make_unique<DialogFileChooser>(
        QFileInfo(QFile::decodeName(services_.store->Paths().pictures.c_str())).absolutePath());
    chooser_ = ownChooser_.get();
  }

  bar_->SetBackground(BitmapForResource(BitmapId::kActionBar));
  // The popup's texts are the menu texts; the bar shows the tooltips.
  const auto command = [this](const char* menuText, StringId name,
                              const std::array<IconId, 4>& icons, QKeyCombination key,
                              PictureCommand run) {
    QAction* action = NewCommandAction(this, QString::fromLatin1(menuText), icons);
    action->setShortcut(key);
    SetToolTipWithKey(action, Text(name).trimmed());
    connect(action, &QAction::triggered, this, [this, run] { RunCommand(run); });
    addAction(action);
    bar_->AddAction(action);
    return action;
  };
  commands_[kCreateNewButton] = command("&New...", StringId::kNewPictureTooltip,
                                        {IconId::kNewPictureNormal, IconId::kNewPictureHot,
                                         IconId::kNewPictureDisabled, IconId::kNewPicturePressed},
                                        Qt::CTRL | Qt::Key_N, PictureCommand::kCreateNew);
  commands_[kEditButton] = command("&Edit...", StringId::kEditPictureTooltip,
                                   {IconId::kEditPictureNormal, IconId::kEditPictureHot,
                                    IconId::kEditPictureDisabled, IconId::kEditPicturePressed},
                                   QKeyCombination(Qt::Key_F2), PictureCommand::kEdit);
  commands_[kImportButton] =
      command("&Import...", StringId::kImportPictureTooltip,
              {IconId::kImportPictureNormal, IconId::kImportPictureNormal,
               IconId::kImportPictureDisabled, IconId::kImportPicturePressed},
              Qt::CTRL | Qt::Key_I, PictureCommand::kImport);
  commands_[kExportButton] =
      command("E&xport...", StringId::kExportPictureTooltip,
              {IconId::kExportPictureNormal, IconId::kExportPictureHot,
               IconId::kExportPictureDisabled, IconId::kExportPicturePressed},
              Qt::CTRL | Qt::Key_E, PictureCommand::kExport);
  commands_[kDeleteButton] = command(
      "&Delete", StringId::kDeletePictureTooltip,
      {IconId::kDeleteNormal, IconId::kDeleteHot, IconId::kDeleteDisabled, IconId::kDeletePressed},
      QKeyCombination(Qt::Key_Delete), PictureCommand::kDelete);
  bar_->SetText(Text(StringId::kLibraryBarText));

  popup_->addActions({commands_[kEditButton], commands_[kExportButton], commands_[kDeleteButton]});

  BuildList();
  LayOut();
  FillList();
  list_->setFocus();
}

void PictureLibraryDialog::BuildList() {
  SetControlId(list_, ControlId::kPictureOrChatList);
  list_->setModel(model_);
  list_->setItemDelegate(new PictureItemDelegate(list_));  // owned by the list
  // Items run down a column, then on in the next; the list scrolls
  // sideways.
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int frame = 2 * list_->frameWidth();
  list_->setMinimumSize(kVisibleColumns * PictureItemDelegate::kItemWidth + frame,
                        kVisibleRows * PictureItemDelegate::kItemHeight + frame +
                            list_->horizontalScrollBar()->sizeHint().height());
  list_->viewport()->installEventFilter(this);
  connect(list_, &QListView::doubleClicked, this, [this] {
    if (ChoosingAllowed()) Choose();
  });
}

void PictureLibraryDialog::LayOut() {
  // The label over the list, which takes what the window gains, and OK
  // and Close at the bottom right.
  auto* label =  // owned by the dialog
      new QLabel(QStringLiteral("Picture messages available:"), this);
  label->setBuddy(list_);
  // A list view's accessible name is its own; it does not look for a label.
  list_->setAccessibleName(label->text());
  auto* close = new QPushButton(QStringLiteral("&Close"), this);  // owned by the dialog
  ok_->setDefault(true);
  ok_->setEnabled(ChoosingAllowed());
  connect(ok_, &QPushButton::clicked, this, [this] { RunCommand(PictureCommand::kChoose); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;  // owned by the dialog's layout below
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(close);
  QVBoxLayout* layout = LayOutBarWindow(this, bar_, kMargin);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

PictureLibraryDialog::~PictureLibraryDialog() = default;

void PictureLibraryDialog::RunCommand(PictureCommand command) {
  switch (command) {
    case PictureCommand::kCreateNew:
      OpenEditor(PictureEditorDialog::kNewPicture);
      break;
    case PictureCommand::kEdit:
      if (SelectedIndex() >= 0) OpenEditor(SelectedIndex());
      break;
    case PictureCommand::kImport:
      Import();
      break;
    case PictureCommand::kExport:
      Export();
      break;
    case PictureCommand::kDelete:
      DeleteSelected();
      break;
    case PictureCommand::kChoose:
      Choose();
      break;
    default:
      break;
  }
}

int PictureLibraryDialog::SelectedIndex() const {
  const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return -1;
  return selected.front().data(PictureLibraryModel::kLibraryIndexRole).toInt();
}

void PictureLibraryDialog::FillList() {
  model_->Refill();
  if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0));
  const bool any = model_->rowCount() > 0;
  for (Button button : {kEditButton, kExportButton, kDeleteButton}) {
    commands_[button]->setEnabled(any);
  }
}

void PictureLibraryDialog::OpenEditor(int editIndex) {
  PictureEditorDialog editor(this, services_.store->Lists().pictures,
                             services_.store->Paths().pictures, editIndex, *services_.asker);
  if (editor.exec() != 1) return;
  if (editIndex == PictureEditorDialog::kNewPicture) {
    FillList();
  } else {
    model_->PictureChanged(editIndex);
  }
}

void PictureLibraryDialog::Import() {
  const QString file = chooser_->ImportFile(this);
  if (file.isEmpty()) return;
  // A file that is no picture file is passed over without a word, and a
  // picture the library holds already is not added again.
  const std::string& library = services_.store->Paths().pictures;
  const GmsImportResult result =
      ImportGmsFile(NativePath(file), services_.store->Lists().pictures, library);
  if (!result.saved) services_.asker->ShowFailure(WriteFailureText(library, errno));
  if (result.outcome != PictureImport::kRefused) FillList();
}

void PictureLibraryDialog::Export() {
  const QString file = chooser_->ExportFile(this);
  if (file.isEmpty()) return;
  const int index = SelectedIndex();
  if (index < 0) return;
  if (!ExportGmsFile(NativePath(file), services_.store->Lists().pictures, index)) {
    services_.asker->ShowFailure(WriteFailureText(NativePath(file), errno));
  }
}

void PictureLibraryDialog::DeleteSelected() {
  if (SelectedIndex() < 0) return;
  if (!services_.asker->AskYesNo(this, Text(StringId::kQuestionCaption),
                                 Text(StringId::kDeleteSelectedQuestion))) {
    return;
  }
  const int index = SelectedIndex();
  PictureList& library = services_.store->Lists().pictures;
  if (library.RemoveAt(index) == 0) return;
  static_cast<void>(
      SavePictureLibraryOrSay(services_.store->Paths().pictures, library, *services_.asker));
  FillList();
}

void PictureLibraryDialog::Choose() {
  const int index = SelectedIndex();
  if (index >= 0) done(1 + index);
}

void PictureLibraryDialog::ShowPopup(const QModelIndex& item, QPoint position) {
  if (!item.isValid()) return;
  list_->setCurrentIndex(item);
  popup_->exec(list_->viewport()->mapToGlobal(position));  // a chosen item triggers its action
}

bool PictureLibraryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::ContextMenu) {
    const auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Mouse) {
      // Only over an item, which the click selects.
      ShowPopup(list_->indexAt(request->pos()), request->pos());
    } else {
      const QModelIndex current = list_->currentIndex();
      ShowPopup(current, list_->visualRect(current).center());
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void PictureLibraryDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintLeftStrip(painter, strip_, bar_->height(), height());
}

int ChoosePicture(QWidget* owner, const ModuleServices& services) {
  PictureLibraryDialog dialog(owner, services, PictureLibraryUse::kChoose);
  return dialog.exec();
}

void ShowPictureLibrary(QWidget* frame, const ModuleServices& services) {
  PictureLibraryDialog dialog(frame, services, PictureLibraryUse::kKeepOnly);
  static_cast<void>(dialog.exec());  // there is nothing to choose from the frame
}

}  // namespace zeph
