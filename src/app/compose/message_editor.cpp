#include "app/compose/message_editor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>
#include <array>
#include <iterator>

#include "app/base/asker.h"
#include "app/base/can_send_check.h"
#include "app/base/command_action.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/compose/composer_panel.h"
#include "app/controls/action_bar.h"
#include "app/controls/bar_window.h"
#include "app/controls/message_text_control.h"
#include "app/platform/card_link.h"
#include "core/codecs/error_table.h"
#include "core/devicelink/device_requests.h"
#include "core/folders/clock.h"

namespace zeph {
namespace {

// The editor's default size.
constexpr int kStartWidth = 520;
constexpr int kStartHeight = 340;

bool ClipboardHoldsText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText() && !data->text().isEmpty();
}

}  // namespace

MessageEditor::MessageEditor(const MessageEditorSetup& setup, const EditorRequest& request)
    : QDialog(setup.owner),
      services_(setup.services),
      choosePicture_(setup.choosePicture),
      source_{request.mode, request.folder, request.index},
      bar_(new ActionBar(this)),  // owned by the editor
      panel_(nullptr),
      strip_(BitmapForResource(BitmapId::kLeftStrip)) {
  setObjectName(QStringLiteral("MessageEditor"));
  setWindowTitle(QStringLiteral("Message Editor"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  Pipe* pipe = services_.link->SyncPipe();
  longMessages_ = pipe == nullptr || ReadLongMessageFlag(*pipe) != 0;
  const EditorStart start =
      PrepareEditor(request, longMessages_, services_.store->Lists().contacts);
  serviceCentre_ = start.serviceCentre;

  BuildActionBar();
  panel_ = new ComposerPanel(this, services_, start);  // owned by the editor
  LayOutBarWindow(this, bar_, 0)->addWidget(panel_);
  connect(panel_, &ComposerPanel::SendClicked, this, &MessageEditor::Send);
  connect(panel_, &ComposerPanel::CloseRequested, this, &QDialog::reject);
  connect(panel_, &ComposerPanel::RecipientsChanged, this,
          [this](bool any) { SetButton(kSend, any); });

  SetButton(kSend, !panel_->Recipients().empty());
  FollowClipboard();
  SetButton(kAttachPicture, longMessages_);
  SetButton(kRemovePicture, longMessages_ && panel_->TextControl()->HasPicture());
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &MessageEditor::FollowClipboard);

  resize(QSize(kStartWidth, kStartHeight).expandedTo(minimumSizeHint()));
  panel_->TextControl()->setFocus();
}

MessageEditor::~MessageEditor() = default;

void MessageEditor::BuildActionBar() {
  bar_->setObjectName(QStringLiteral("sausage"));
  bar_->SetBackground(BitmapForResource(BitmapId::kActionBar));
  // Cut, Copy and Paste keep their usual keys, which the text takes itself
  // while it has the focus; none of the keys is one of the frame's.
  const auto command = [this](StringId text, const std::array<IconId, 4>& icons,
                              const QList<QKeySequence>& keys, const QKeySequence& ownKey = {}) {
    QAction* action = NewCommandAction(this, Text(text).trimmed(), icons);
    action->setShortcuts(keys);
    SetToolTipWithKey(action, action->text(), ownKey);
    addAction(action);
    bar_->AddAction(action);
    return action;
  };
  commands_[kSend] = command(
      StringId::kSendTooltip,
      {IconId::kSendNormal, IconId::kSendHot, IconId::kSendDisabled, IconId::kSendPressed}, {},
      QKeySequence(Qt::CTRL | Qt::Key_Return));  // the editor's own key, below
  commands_[kCut] =
      command(StringId::kCutTooltip,
              {IconId::kCutNormal, IconId::kCutHot, IconId::kCutDisabled, IconId::kCutPressed},
              QKeySequence::keyBindings(QKeySequence::Cut));
  commands_[kCopy] = command(
      StringId::kCopyTooltip,
      {IconId::kCopyNormal, IconId::kCopyNormal, IconId::kCopyDisabled, IconId::kCopyPressed},
      QKeySequence::keyBindings(QKeySequence::Copy));
  commands_[kPaste] = command(
      StringId::kPasteTooltip,
      {IconId::kPasteNormal, IconId::kPasteHot, IconId::kPasteDisabled, IconId::kPastePressed},
      QKeySequence::keyBindings(QKeySequence::Paste));
  commands_[kAttachPicture] =
      command(StringId::kAttachPictureTooltip,
              {IconId::kAttachPictureNormal, IconId::kAttachPictureNormal,
               IconId::kAttachPictureDisabled, IconId::kAttachPicturePressed},
              {QKeySequence(kAttachPictureKey)});
  commands_[kRemovePicture] =
      command(StringId::kRemovePictureTooltip,
              {IconId::kRemovePictureNormal, IconId::kRemovePictureHot,
               IconId::kRemovePictureDisabled, IconId::kRemovePicturePressed},
              {QKeySequence(kRemovePictureKey)});
  bar_->SetText(Text(StringId::kEditorBarText));
  // Ctrl+Enter sends also while Send is grey, so that a message without a
  // recipient gets "No recipient selected." (the keypad's Enter as well).
  for (QKeySequence keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* send = new QShortcut(keys, this);  // owned by the editor
    connect(send, &QShortcut::activated, this, &MessageEditor::Send);
  }
  connect(commands_[kSend], &QAction::triggered, this, &MessageEditor::Send);
  connect(commands_[kCut], &QAction::triggered, this, [this] {
    panel_->TextControl()->Cut();
    FollowClipboard();
  });
  connect(commands_[kCopy], &QAction::triggered, this, [this] {
    panel_->TextControl()->Copy();
    FollowClipboard();
  });
  connect(commands_[kPaste], &QAction::triggered, this, [this] { panel_->TextControl()->Paste(); });
  connect(commands_[kAttachPicture], &QAction::triggered, this, &MessageEditor::AttachPicture);
  connect(commands_[kRemovePicture], &QAction::triggered, this, &MessageEditor::RemovePicture);
}

void MessageEditor::Send() {
  if (panel_->TextControl()->Length() == 0) return;
  std::unique_ptr<MessageRecord> record = panel_->BuildMessage();
  if (record == nullptr) {
    services_.asker->ShowError(kErrorNoRecipient);
    return;
  }
  AppLists& lists = services_.store->Lists();
  PrepareOutgoing(*record, source_, services_.clock->LocalTime(), lists, services_.store->Paths());
  // Without a connection the user is told; the messages wait in the Outbox
  // all the same.
  static_cast<void>(CanSendNow(this, *services_.link, *services_.settings));
  QueueOutgoing(*record, serviceCentre_, lists.outbox, services_.store->Paths().outbox);
  accept();  // deletes the editor once control returns to the event loop
  emit MessageQueued();
}

void MessageEditor::AttachPicture() {
  const int choice = choosePicture_ ? choosePicture_(this) : 0;
  if (choice <= 0) return;
  panel_->AttachLibraryPicture(choice - 1);
  SetButton(kRemovePicture, panel_->TextControl()->HasPicture());
}

void MessageEditor::RemovePicture() {
  panel_->RemovePicture();
  SetButton(kRemovePicture, false);
}

void MessageEditor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  PaintLeftStrip(painter, strip_, bar_->height(), height());
}

void MessageEditor::FollowClipboard() {
  SetButton(kPaste, ClipboardHoldsText());
}

void MessageEditor::SetButton(Button button, bool enabled) {
  commands_[button]->setEnabled(enabled);
}

MessageEditor* OpenMessageEditor(const MessageEditorSetup& setup, const EditorRequest& request) {
  auto* editor = new MessageEditor(setup, request);  // owned by the frame, deleted on close
  editor->show();
  return editor;
}

}  // namespace zeph
