#include "app/compose/composer_panel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/base/control_id.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/compose/add_recipients_dialog.h"
#include "app/controls/message_text_control.h"
#include "app/platform/card_link.h"

namespace zeph {
namespace {

const QColor kFrameGrey(128, 128, 128);

}  // namespace

ComposerPanel::ComposerPanel(QWidget* parent, const ModuleServices& services,
                             const EditorStart& start)
    : QWidget(parent),
      services_(services),
      text_(new MessageTextControl(this, services.link->SyncPipe(),
                                   services.asker)),                       // owned by the panel
      counter_(new QLabel(QStringLiteral("0(0)"), this)),                  // owned by the panel
      sendPicture_(new QLabel(this)),                                      // owned by the panel
      list_(new QListWidget(this)),                                        // owned by the panel
      add_(new QPushButton(QStringLiteral("&Add Recipients..."), this)) {  // owned by the panel
  setObjectName(QStringLiteral("ComposerPanel"));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);

  SetControlId(text_, ControlId::kMessageText);
  SetControlId(counter_, ControlId::kLengthCounter);
  SetControlId(sendPicture_, ControlId::kComposerSend);
  SetControlId(list_, ControlId::kRecipients);
  SetControlId(add_, ControlId::kAddRecipients);

  auto* messageLabel = new QLabel(QStringLiteral("Message:"), this);  // owned by the panel
  messageLabel->setBuddy(text_);
  text_->Edit()->setAccessibleName(QStringLiteral("Message"));
  counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // A screen reader announces the counter by its text ("160(1)"), which follows the typing.
  counter_->setAccessibleDescription(QStringLiteral("Units left and parts"));
  auto* recipientsLabel = new QLabel(QStringLiteral("Recipients:"), this);  // owned by the panel
  recipientsLabel->setBuddy(list_);
  // Item views take no name from their buddy label.
  list_->setAccessibleName(QStringLiteral("Recipients"));
  list_->setFrameShape(QFrame::NoFrame);
  add_->setDefault(true);
  sendPicture_->setPixmap(BitmapForResource(BitmapId::kComposerSend));
  sendPicture_->setCursor(Qt::PointingHandCursor);
  sendPicture_->setToolTip(Text(StringId::kSendTooltip).trimmed());
  sendPicture_->setAccessibleName(Text(StringId::kSendTooltip).trimmed());
  sendPicture_->installEventFilter(this);

  auto* grid = new QGridLayout(this);  // owned by the panel
  grid->setContentsMargins(10, 8, 10, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  auto* heading = new QHBoxLayout;  // owned by the grid
  heading->addWidget(messageLabel);
  heading->addStretch(1);
  heading->addWidget(counter_);
  grid->addLayout(heading, 0, 0);
  // The grey line runs down the middle of this column.
  grid->setColumnMinimumWidth(1, 8);
  grid->addWidget(recipientsLabel, 0, 2);
  grid->addWidget(text_, 1, 0);
  grid->addWidget(list_, 1, 2);
  grid->addWidget(sendPicture_, 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(add_, 2, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(2, 2);
  grid->setRowStretch(1, 1);
  setTabOrder(text_->Edit(), list_);
  setTabOrder(list_, add_);

  connect(text_, &MessageTextControl::Changed, this, &ComposerPanel::RefreshCounter);
  connect(text_, &MessageTextControl::CloseRequested, this, &ComposerPanel::CloseRequested);
  connect(text_, &MessageTextControl::SavePictureRequested, this, [this] {
    if (const auto picture = text_->Picture()) {
      SavePictureToLibrary(*services_.store, *services_.asker, *picture);
    }
  });
  connect(add_, &QPushButton::clicked, this, &ComposerPanel::AddRecipients);

  text_->RemovePicture();
  if (start.mode != EditorMode::kNew) {
    if (start.text) text_->SetText(*start.text);
    if (start.picture) text_->AttachPicture(*start.picture);
    recipients_ = start.recipients;
  }
  ShowRecipients();
  RefreshCounter();
}

void ComposerPanel::AttachLibraryPicture(int index) {
  if (const PictureImage* picture = services_.store->Lists().pictures.GetAt(index)) {
    text_->AttachPicture(*picture);
  }
}

void ComposerPanel::RemovePicture() {
  text_->RemovePicture();
}

std::unique_ptr<MessageRecord> ComposerPanel::BuildMessage() const {
  return BuildOutgoingRecord(recipients_, text_->Text(), text_->Picture());
}

void ComposerPanel::SetRecipients(RecipientList recipients) {
  recipients_ = std::move(recipients);
  ShowRecipients();
  emit RecipientsChanged(!recipients_.empty());
}

void ComposerPanel::AddRecipients() {
  AddRecipientsDialog dialog(this, services_.store->Lists().contacts, recipients_);
  if (dialog.exec() == QDialog::Accepted) SetRecipients(dialog.Recipients());
}

QString ComposerPanel::CounterText() const {
  return counter_->text();
}

void ComposerPanel::RefreshCounter() {
  counter_->setText(FormatLengthCounter(*text_));
}

void ComposerPanel::ShowRecipients() {
  list_->clear();
  for (const Recipient& recipient : recipients_) list_->addItem(FromCp1252(recipient.name));
}

void ComposerPanel::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setPen(kFrameGrey);
  painter.setBrush(Qt::NoBrush);
  // One pixel outside the list and the text; QRect's right and bottom are
  // the last pixels inside.
  painter.drawRect(list_->geometry().adjusted(-1, -1, 0, 0));
  painter.drawRect(text_->geometry().adjusted(-1, -1, 0, 0));
  const int x = (text_->geometry().right() + 1 + list_->geometry().left()) / 2;
  painter.drawLine(x, counter_->geometry().top(), x, text_->geometry().bottom());
}

bool ComposerPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sendPicture_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      sendPicture_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
    emit SendClicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zeph
