#include "app/compose/chat_window.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <array>
#include <cerrno>
#include <iterator>

#include "app/base/asker.h"
#include "app/base/can_send_check.h"
#include "app/base/command_action.h"
#include "app/base/control_id.h"
#include "app/base/dialog_fonts.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/compose/chat_list.h"
#include "app/controls/action_bar.h"
#include "app/controls/bar_window.h"
#include "app/controls/message_text_control.h"
#include "app/platform/card_link.h"
#include "core/compose/chat_conversation.h"
#include "core/folders/clock.h"
#include "core/folders/date_text.h"
#include "core/store/file_time.h"

namespace zeph {
namespace {

// The window's default size, without the status line.
constexpr QSize kStartSize(440, 420);
// The room around the window's body, right of the left strip.
constexpr int kBodyMargin = 8;
// The Send button at least as large as it was designed, which also makes
// the text beside it that tall.
constexpr QSize kSendSize(48, 36);

// The locale's short name of the date's day of week.
QString DayName(const RecordTime& time) {
  const int day = DayOfWeek(time.year, time.month, time.day);  // 0 is Sunday
  return QLocale::system().dayName(day == 0 ? 7 : day, QLocale::ShortFormat);
}

}  // namespace

ChatWindow::ChatWindow(const ChatSetup& setup, QWidget* owner)
    : QDialog(owner),
      services_(setup.services),
      choosePicture_(setup.choosePicture),
      askFileName_(setup.askFileName),
      bar_(new ActionBar(this)),                                      // owned by the window
      partnerLabel_(new QLabel(QStringLiteral("Chat with "), this)),  // owned by the window
      partner_(new QLineEdit(this)),                                  // owned by the window
      list_(new ChatListView(this)),                                  // owned by the window
      text_(new MessageTextControl(this, services_.link->SyncPipe(),  // owned by the window
                                   services_.asker)),
      send_(new QPushButton(this)),   // owned by the window
      counter_(new QLabel(this)),     // owned by the window
      status_(new QStatusBar(this)),  // owned by the window
      strip_(BitmapForResource(BitmapId::kLeftStrip)) {
  setObjectName(QStringLiteral("ChatWindow"));
  setWindowTitle(QStringLiteral("Chat"));
  setWindowIcon(IconForResource(IconId::kApplication));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setSizeGripEnabled(false);  // the status line has its own

  BuildActionBar();
  BuildMessageRow();
  AppLists& lists = services_.store->Lists();
  opening_ = OpenConversation(lists.chat, lists.inbox, lists.sent, lists.contacts,
                              *services_.settings, services_.clock->LocalTime());
  partner_->setReadOnly(true);
  partner_->setText(FromCp1252(ChatCaption(opening_.partnerName, opening_.partnerNumber)));
  partner_->setCursorPosition(0);
  partnerLabel_->setBuddy(partner_);
  list_->setAccessibleName(windowTitle());
  Refill(opening_.showsArrival);
  if (opening_.onTop) setWindowFlag(Qt::WindowStaysOnTopHint, true);

  SetControlId(partner_, ControlId::kChatPartner);
  SetControlId(list_, ControlId::kPictureOrChatList);
  SetControlId(text_, ControlId::kPreviewOrChatText);
  SetControlId(send_, ControlId::kSendButton);
  SetControlId(counter_, ControlId::kLengthCounter);
  for (QWidget* control : {static_cast<QWidget*>(partnerLabel_), static_cast<QWidget*>(partner_),
                           static_cast<QWidget*>(counter_)}) {
    control->setFont(DialogFontRegular());
  }
  LayOut();

  connect(this, &QDialog::finished, this, &ChatWindow::Closed);
  text_->setFocus();
}

void ChatWindow::BuildActionBar() {
  // The text control has read the long-message flag, which Attach Picture
  // follows.
  bar_->setObjectName(QStringLiteral("sausage"));
  bar_->SetBackground(BitmapForResource(BitmapId::kActionBar));
  // None of the keys is one of the frame's.
  const auto command = [this](StringId text, const std::array<IconId, 4>& icons,
                              QKeyCombination key) {
    QAction* action = NewCommandAction(this, Text(text).trimmed(), icons);
    action->setShortcut(key);
    SetToolTipWithKey(action, action->text());
    addAction(action);
    bar_->AddAction(action);
    return action;
  };
  commands_[kSaveAsText] =
      command(StringId::kSaveAsTextTooltip,
              {IconId::kSaveNormal, IconId::kSaveHot, IconId::kSaveDisabled, IconId::kSavePressed},
              Qt::CTRL | Qt::Key_S);
  commands_[kAttachPicture] =
      command(StringId::kAttachPictureTooltip,
              {IconId::kAttachPictureNormal, IconId::kAttachPictureNormal,
               IconId::kAttachPictureDisabled, IconId::kAttachPicturePressed},
              kAttachPictureKey);
  commands_[kRemovePicture] =
      command(StringId::kRemovePictureTooltip,
              {IconId::kRemovePictureNormal, IconId::kRemovePictureHot,
               IconId::kRemovePictureDisabled, IconId::kRemovePicturePressed},
              kRemovePictureKey);
  bar_->SetText(Text(StringId::kChatBarText));
  connect(commands_[kSaveAsText], &QAction::triggered, this, &ChatWindow::SaveAsText);
  connect(commands_[kAttachPicture], &QAction::triggered, this, &ChatWindow::AttachPicture);
  connect(commands_[kRemovePicture], &QAction::triggered, this, &ChatWindow::RemovePicture);
  commands_[kAttachPicture]->setEnabled(text_->LongMessagesAllowed());
  commands_[kRemovePicture]->setEnabled(false);
}

void ChatWindow::BuildMessageRow() {
  // The counter follows every change of the text, and Remove Picture
  // whether a picture is attached.
  send_->setToolTip(Text(StringId::kSendChatTooltip));
  send_->setAccessibleName(Text(StringId::kSendChatTooltip));
  send_->setIcon(IconForResource(IconId::kChatSend));
  send_->setIconSize(QSize(24, 24));
  send_->setMinimumSize(kSendSize);
  send_->setAutoDefault(false);
  send_->setDefault(true);
  connect(send_, &QPushButton::clicked, this, &ChatWindow::Send);
  connect(text_, &MessageTextControl::Changed, this, &ChatWindow::TextChanged);
  connect(text_, &MessageTextControl::CloseRequested, this, &QDialog::reject);
  connect(text_, &MessageTextControl::SavePictureRequested, this, [this] {
    if (const auto picture = text_->Picture()) {
      SavePictureToLibrary(*services_.store, *services_.asker, *picture);
    }
  });
  counter_->setText(QStringLiteral("0(0) "));
  text_->Clear();  // reports a change: the counter shows what is left
  text_->SetPictureLayout(MessageTextControl::kLayoutBeside);
  // The text has no label of its own to be announced by.
  for (QWidget* text : {static_cast<QWidget*>(text_), static_cast<QWidget*>(text_->Edit())}) {
    text->setAccessibleName(QStringLiteral("Chat message"));
  }
  text_->Edit()->installEventFilter(this);
}

void ChatWindow::LayOut() {
  // From the top: the partner, the conversation, which takes the height
  // the window gains, and the message row, whose text is as tall as the
  // Send button and the counter under it; the status line at the bottom.
  QVBoxLayout* body = LayOutBarWindow(this, bar_, kBodyMargin);
  auto* partnerRow = new QHBoxLayout;  // owned by the body
  partnerRow->addWidget(partnerLabel_);
  partnerRow->addWidget(partner_, 1);
  body->addLayout(partnerRow);
  body->addWidget(list_, 1);
  auto* sendColumn = new QVBoxLayout;  // owned by the message row
  sendColumn->addWidget(send_);
  sendColumn->addWidget(counter_);
  auto* messageRow = new QHBoxLayout;  // owned by the body
  messageRow->addWidget(text_, 1);
  messageRow->addLayout(sendColumn);
  body->addLayout(messageRow);
  text_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  layout()->addWidget(status_);
  setTabOrder(partner_, list_);
  setTabOrder(list_, text_);
  setTabOrder(text_, send_);
  resize(QSize(kStartSize.width(), kStartSize.height() + status_->sizeHint().height())
             .expandedTo(minimumSizeHint()));
}

ChatWindow::~ChatWindow() {
  Closed();
}

void ChatWindow::Closed() {
  if (closed_) return;
  closed_ = true;
  static_cast<void>(services_.store->Lists().chat.RemoveAll());  // always 1
}

void ChatWindow::Send() {
  if (text_->Length() == 0) {
    text_->setFocus();
    return;
  }
  // It stays until the partner's next message: the send engine takes the
  // message from the Outbox within a second.
  status_->showMessage(Text(StringId::kChatSending));
  std::unique_ptr<MessageRecord> message = MakeChatMessage(
      opening_.partnerNumber, text_->Text(), text_->Picture(), services_.clock->LocalTime());
  // Without a connection the user is told; the message waits in the Outbox
  // all the same.
  static_cast<void>(CanSendNow(this, *services_.link, *services_.settings));
  AppLists& lists = services_.store->Lists();
  QueueChatMessage(std::move(message), lists.outbox, services_.store->Paths().outbox, lists.chat);
  Refill(false);
  text_->Clear();
  text_->setFocus();
}

void ChatWindow::AttachPicture() {
  const int choice = choosePicture_ ? choosePicture_(this) : 0;
  if (choice <= 0) return;
  if (const PictureImage* picture = services_.store->Lists().pictures.GetAt(choice - 1)) {
    text_->AttachPicture(*picture);
  }
}

void ChatWindow::RemovePicture() {
  text_->RemovePicture();
}

void ChatWindow::SaveAsText() {
  // It opens in the documents folder, beside the program's own files, not where it is installed.
  const QString folder =
      QFileInfo(QFile::decodeName(services_.store->Paths().inbox.c_str())).absolutePath();
  const QString path = askFileName_ ? askFileName_(this) : AskChatFileName(this, folder);
  if (path.isEmpty()) return;
  const std::string file = QFile::encodeName(path).toStdString();
  if (!SaveConversation(file, services_.store->Lists().chat, opening_.ownName,
                        opening_.partnerName)) {
    services_.asker->ShowFailure(WriteFailureText(file, errno));  // nothing was written
  }
}

void ChatWindow::Refill(bool arrival) {
  const MessageList& chat = services_.store->Lists().chat;
  list_->SetRows(ChatRows(chat, opening_.ownName, opening_.partnerName));
  const MessageRecord* last = chat.GetAt(chat.Count() - 1);
  if (!arrival || last == nullptr) return;
  status_->showMessage(Text(StringId::kChatLastReceived) + DayName(last->time) +
                       FromCp1252(FolderDateTimeText(last->time, {})));
}

void ChatWindow::ConversationAppended() {
  Refill(true);
}

void ChatWindow::TextChanged() {
  counter_->setText(FormatLengthCounter(*text_));
  commands_[kRemovePicture]->setEnabled(text_->HasPicture());
}

bool ChatWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_->Edit() && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & Qt::ControlModifier)) {
      text_->Edit()->textCursor().insertBlock();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ChatWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  PaintLeftStrip(painter, strip_, bar_->height(), height());
}

QString AskChatFileName(QWidget* owner, const QString& folder) {
  QFileDialog dialog(owner, Text(StringId::kSaveConversationTitle), folder,
                     QStringLiteral("TXT Files (*.txt)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.selectFile(Text(StringId::kChatFileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace zeph
