#include "app/compose/message_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>
#include <array>

#include "app/base/asker.h"
#include "app/base/can_send_check.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/compose/composer_panel.h"
#include "app/controls/action_bar.h"
#include "app/controls/message_text_control.h"
#include "app/platform/card_link.h"
#include "core/codecs/error_table.h"
#include "core/devicelink/device_requests.h"
#include "core/folders/clock.h"

namespace zeph {
namespace {

// The button values the action bar reports.
enum EditorCommand : int {
  kSendCommand = 118,
  kCutCommand = 119,
  kCopyCommand = 120,
  kPasteCommand = 121,
  kAttachPictureCommand = 122,
  kRemovePictureCommand = 175,
};

struct EditorButton {
  EditorCommand command;
  StringId tooltip;
  std::array<IconId, 4> icons;  // normal, hot, disabled, pressed
};

// In the order they are added: MessageEditor::Button is the position.
constexpr EditorButton kButtons[] = {
    {kSendCommand,
     StringId::kSendTooltip,
     {IconId::kSendNormal, IconId::kSendHot, IconId::kSendDisabled, IconId::kSendPressed}},
    {kCutCommand,
     StringId::kCutTooltip,
     {IconId::kCutNormal, IconId::kCutHot, IconId::kCutDisabled, IconId::kCutPressed}},
    {kCopyCommand,
     StringId::kCopyTooltip,
     {IconId::kCopyNormal, IconId::kCopyNormal, IconId::kCopyDisabled, IconId::kCopyPressed}},
    {kPasteCommand,
     StringId::kPasteTooltip,
     {IconId::kPasteNormal, IconId::kPasteHot, IconId::kPasteDisabled, IconId::kPastePressed}},
    {kAttachPictureCommand,
     StringId::kAttachPictureTooltip,
     {IconId::kAttachPictureNormal, IconId::kAttachPictureNormal, IconId::kAttachPictureDisabled,
      IconId::kAttachPicturePressed}},
    {kRemovePictureCommand,
     StringId::kRemovePictureTooltip,
     {IconId::kRemovePictureNormal, IconId::kRemovePictureHot, IconId::kRemovePictureDisabled,
      IconId::kRemovePicturePressed}},
};

constexpr int kStripWidth = 10;
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
  setObjectName(QStringLiteral("MessageEditor112"));
  setWindowTitle(QStringLiteral("Message Editor"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  Pipe* pipe = services_.link->SyncPipe();
  longMessages_ = pipe == nullptr || ReadLongMessageFlag(*pipe) != 0;
  const EditorStart start =
      PrepareEditor(request, longMessages_, services_.store->Lists().contacts);
  serviceCentre_ = start.serviceCentre;

  bar_->setObjectName(QStringLiteral("sausage"));
  bar_->SetBackground(BitmapForResource(BitmapId::kActionBar));
  for (const EditorButton& button : kButtons) {
    ActionButtonRecord record;
    for (size_t i = 0; i < record.icons.size(); ++i)
      record.icons[i] = IconForResource(button.icons[i]);
    record.command = button.command;
    record.tooltip = Text(button.tooltip);
    bar_->AddButton(record);
  }
  bar_->SetText(Text(StringId::kEditorBarText));
  connect(bar_, &ActionBar::Clicked, this, &MessageEditor::ButtonClicked);

  panel_ = new ComposerPanel(this, services_, start);  // owned by the editor
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

  for (QKeySequence keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* send = new QShortcut(keys, this);  // owned by the editor
    connect(send, &QShortcut::activated, this, &MessageEditor::Send);
  }

  setMinimumSize(400, 260);
  resize(kStartWidth, kStartHeight);
  panel_->TextControl()->setFocus();
  services_.windows->messageEditor = this;
}

MessageEditor::~MessageEditor() = default;

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
  const QRect strip(0, ActionBar::kHeight, kStripWidth, height() - ActionBar::kHeight);
  painter.drawPixmap(strip, strip_, strip.intersected(strip_.rect()));
}

void MessageEditor::resizeEvent(QResizeEvent*) {
  bar_->setGeometry(0, 0, width(), ActionBar::kHeight);
  // Control 8021: the rest of the window right of the strip.
  panel_->setGeometry(kStripWidth, ActionBar::kHeight, width() - kStripWidth,
                      height() - ActionBar::kHeight);
}

void MessageEditor::ButtonClicked(int command) {
  MessageTextControl* text = panel_->TextControl();
  switch (command) {
    case kSendCommand:
      Send();
      break;
    case kCutCommand:
      text->Cut();
      FollowClipboard();
      break;
    case kCopyCommand:
      text->Copy();
      FollowClipboard();
      break;
    case kPasteCommand:
      text->Paste();
      break;
    case kAttachPictureCommand:
      AttachPicture();
      break;
    case kRemovePictureCommand:
      RemovePicture();
      break;
    default:
      break;
  }
}

void MessageEditor::FollowClipboard() {
  SetButton(kPaste, ClipboardHoldsText());
}

void MessageEditor::SetButton(Button button, bool enabled) {
  bar_->SetButtonState(button, enabled ? kButtonEnabled : kButtonDisabled);
}

MessageEditor* OpenMessageEditor(const MessageEditorSetup& setup, const EditorRequest& request) {
  if (setup.services.windows->messageEditor != nullptr) return nullptr;
  auto* editor = new MessageEditor(setup, request);  // owned by the frame, deleted on close
  editor->show();
  return editor;
}

}  // namespace zeph
