#include "app/contacts/send_business_card_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/base/can_send_check.h"
#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/typed_text_rules.h"
#include "app/platform/card_link.h"
#include "core/folders/clock.h"
#include "core/folders/contact_actions.h"
#include "core/folders/outbox_queue.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr int kRecipientLength = 22;
constexpr int kDialogWidth = 320;

}  // namespace

SendBusinessCardDialog::SendBusinessCardDialog(QWidget* parent, const ModuleServices& services,
                                               int index)
    : QDialog(parent),
      services_(services),
      card_(new QLineEdit(this)),                              // owned by the dialog
      recipient_(new QLineEdit(this)),                         // owned by the dialog
      send_(new QPushButton(QStringLiteral("&Send"), this)) {  // owned by the dialog
  setObjectName(QStringLiteral("SendBusinessCardDialog"));
  setWindowTitle(QStringLiteral("Send Business Card"));
  if (const ContactEntry* entry = services.store->Lists().contacts.GetAt(index)) {
    name_ = FieldText(entry->name);
    number_ = FieldText(entry->number);
  }
  SetControlId(card_, ControlId::kNameField);
  SetControlId(recipient_, ControlId::kCardRecipient);
  SetControlId(send_, ControlId::kSendButton);
  card_->setText(FromCp1252(name_));
  card_->setReadOnly(true);
  card_->setFocusPolicy(Qt::ClickFocus);
  recipient_->setMaxLength(kRecipientLength);
  send_->setEnabled(false);
  connect(recipient_, &QLineEdit::textChanged, this,
          [this](const QString& text) { send_->setEnabled(!text.isEmpty()); });
  FilterNumberAsTyped(recipient_);

  auto* select = new QPushButton(QStringLiteral("Sele&ct..."), this);  // owned by the dialog
  SetControlId(select, ControlId::kSelectRecipient);
  connect(select, &QPushButton::clicked, this, &SendBusinessCardDialog::Select);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);  // owned by the dialog
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  send_->setDefault(true);
  connect(send_, &QPushButton::clicked, this, &SendBusinessCardDialog::accept);

  auto* layout = new QFormLayout(this);  // owned by the dialog
  layout->addRow(QStringLiteral("Card:"), card_);
  auto* recipientRow = new QHBoxLayout;  // owned by the form once added
  recipientRow->addWidget(recipient_, 1);
  recipientRow->addWidget(select);
  auto* recipientLabel = new QLabel(QStringLiteral("Recipient:"), this);  // owned by the dialog
  recipientLabel->setBuddy(recipient_);
  layout->addRow(recipientLabel, recipientRow);
  auto* buttons = new QHBoxLayout;  // owned by the form once added
  buttons->addStretch(1);
  buttons->addWidget(send_);
  buttons->addWidget(cancel);
  layout->addRow(buttons);
  setMinimumWidth(kDialogWidth);
  setTabOrder(recipient_, select);
  setTabOrder(select, send_);
  setTabOrder(send_, cancel);
  recipient_->setFocus();
}

void SendBusinessCardDialog::Select() {
  const ContactList& contacts = services_.store->Lists().contacts;
  const int chosen = SelectRecipient(this, contacts);
  const ContactEntry* entry = chosen > 0 ? contacts.GetAt(chosen - 1) : nullptr;
  if (entry == nullptr) {
    chosen_.reset();
    return;
  }
  chosen_ = FieldText(entry->number);
  recipient_->setText(FromCp1252(*chosen_));
}

void SendBusinessCardDialog::accept() {
  if (!send_->isEnabled()) return;  // Enter with an empty field
  const std::string recipient = chosen_ ? *chosen_ : ToCp1252(recipient_->text());
  auto record = BusinessCardRecord(name_, number_, recipient, services_.clock->LocalTime());
  // The card waits in the Outbox whatever the check says; the warning only
  // tells the user why it may wait long.
  static_cast<void>(CanSendNow(this, *services_.link, *services_.settings));
  ProgramStore& store = *services_.store;
  static_cast<void>(  // the send engine finds it by its queue id, not its index
      QueueOutboxRecord(store.Lists().outbox, store.Paths().outbox, std::move(record)));
  QDialog::accept();
}

}  // namespace zeph
