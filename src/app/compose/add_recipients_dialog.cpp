#include "app/compose/add_recipients_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "app/base/control_id.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/controls/report_list_view.h"
#include "core/codecs/phone_number.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

QPushButton* ArrowButton(const QString& text, const QString& meaning, ControlId id,
                         QWidget* parent) {
  auto* button = new QPushButton(text, parent);  // owned by the dialog
  SetControlId(button, id);
  button->setToolTip(meaning);
  button->setAccessibleName(meaning);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

AddRecipientsDialog::AddRecipientsDialog(QWidget* parent, const ContactList& contacts,
                                         RecipientList recipients)
    : QDialog(parent),
      contacts_(contacts),
      recipients_(std::move(recipients)),
      contactList_(new ReportListView(this)),  // owned by the dialog
      selected_(new QListWidget(this)),        // owned by the dialog
      number_(new QLineEdit(this)) {           // owned by the dialog
  setObjectName(QStringLiteral("AddRecipientsDialog"));
  setWindowTitle(QStringLiteral("Add Recipients"));
  SetControlId(contactList_, ControlId::kModuleList);
  SetControlId(selected_, ControlId::kSelectedRecipients);
  SetControlId(number_, ControlId::kRecipientNumber);

  auto* contactsLabel = new QLabel(QStringLiteral("Contacts:"), this);  // owned by the dialog
  contactsLabel->setBuddy(contactList_);
  auto* selectedLabel =  // owned by the dialog
      new QLabel(QStringLiteral("Selected recipients:"), this);
  selectedLabel->setBuddy(selected_);
  auto* numberLabel = new QLabel(QStringLiteral("Number:"), this);  // owned by the dialog
  numberLabel->setBuddy(number_);
  // Item views take no name from their buddy label.
  contactList_->setAccessibleName(QStringLiteral("Contacts"));
  selected_->setAccessibleName(QStringLiteral("Selected recipients"));
  QPushButton* addContact =
      ArrowButton(QStringLiteral(">>"), QStringLiteral("Add the selected contact"),
                  ControlId::kAddContactRecipient, this);
  QPushButton* remove =
      ArrowButton(QStringLiteral("<<"), QStringLiteral("Remove the selected recipient"),
                  ControlId::kRemoveRecipient, this);
  QPushButton* addNumber = ArrowButton(QStringLiteral(">>"), QStringLiteral("Add the number"),
                                       ControlId::kAddNumberRecipient, this);

  FillLists();

  auto* buttons =  // owned by the dialog
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* grid = new QGridLayout;  // owned by the dialog's layout
  grid->addWidget(contactsLabel, 0, 0);
  grid->addWidget(selectedLabel, 0, 2);
  auto* arrows = new QVBoxLayout;  // owned by the grid
  arrows->addStretch(1);
  arrows->addWidget(addContact);
  arrows->addWidget(remove);
  arrows->addStretch(1);
  grid->addWidget(contactList_, 1, 0);
  grid->addLayout(arrows, 1, 1);
  grid->addWidget(selected_, 1, 2);
  grid->addWidget(numberLabel, 2, 0);
  grid->addWidget(number_, 3, 0);
  grid->addWidget(addNumber, 3, 1);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addLayout(grid);
  layout->addWidget(buttons);
  resize(440, 320);

  connect(addContact, &QPushButton::clicked, this, &AddRecipientsDialog::AddSelectedContact);
  connect(contactList_, &QTreeWidget::itemDoubleClicked, this,
          &AddRecipientsDialog::AddSelectedContact);
  connect(remove, &QPushButton::clicked, this, &AddRecipientsDialog::RemoveSelectedRecipient);
  connect(addNumber, &QPushButton::clicked, this, &AddRecipientsDialog::AddTypedNumber);
  connect(number_, &QLineEdit::textChanged, this, &AddRecipientsDialog::FilterNumber);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  contactList_->installEventFilter(this);
  number_->installEventFilter(this);
  // Tab follows the screen: the contacts and their buttons, the selected
  // recipients, the number and its button, then OK and Cancel.
  QWidget* order[] = {contactList_,
                      addContact,
                      remove,
                      selected_,
                      number_,
                      addNumber,
                      buttons->button(QDialogButtonBox::Ok),
                      buttons->button(QDialogButtonBox::Cancel)};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  contactList_->setFocus();
}

void AddRecipientsDialog::FillLists() {
  contactList_->SetHeader({Text(StringId::kRecipientNamesColumn)});
  contactList_->header()->hide();
  contactList_->setAlternatingRowColors(false);
  contactList_->InitImageList({IconForResource(IconId::kContactItem)});
  for (int index : ContactsByName(contacts_)) {
    contactList_->AddItem(0, index, {FromCp1252(FieldText(contacts_.GetAt(index)->name))});
  }
  contactList_->SetSelection(0);
  for (const Recipient& recipient : recipients_) selected_->addItem(FromCp1252(recipient.name));
  number_->setMaxLength(static_cast<int>(kRecipientFieldLength));
}

bool AddRecipientsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && watched == contactList_) {
      AddSelectedContact();
      return true;
    }
    if (enter && watched == number_ && !number_->text().isEmpty()) {
      AddTypedNumber();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AddRecipientsDialog::AddSelectedContact() {
  if (auto recipient = RecipientOfContact(contacts_, contactList_->GetCurSelParam())) {
    Append(*recipient);
  }
}

void AddRecipientsDialog::RemoveSelectedRecipient() {
  const int row = selected_->currentRow();
  if (row < 0 || row >= static_cast<int>(recipients_.size()) ||
      !selected_->item(row)->isSelected()) {
    return;
  }
  delete selected_->takeItem(row);
  recipients_.erase(recipients_.begin() + row);
}

void AddRecipientsDialog::AddTypedNumber() {
  const auto recipient = RecipientOfTypedNumber(ToCp1252(number_->text()));
  if (!recipient) return;
  number_->clear();
  Append(*recipient);
}

void AddRecipientsDialog::FilterNumber() {
  const QString typed = number_->text();
  const FilteredNumber filtered = FilterPhoneNumber(ToCp1252(typed));
  if (!filtered.changed) return;
  // The caret stays after the character it followed.
  const int caret = number_->cursorPosition();
  const auto before = FilterPhoneNumber(ToCp1252(typed.left(caret))).text.size();
  number_->setText(FromCp1252(filtered.text));
  number_->setCursorPosition(static_cast<int>(before));
}

void AddRecipientsDialog::Append(const Recipient& recipient) {
  recipients_.push_back(recipient);
  selected_->addItem(FromCp1252(recipient.name));
}

}  // namespace zeph
