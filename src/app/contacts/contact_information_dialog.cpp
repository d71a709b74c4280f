#include "app/contacts/contact_information_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/base/asker.h"
#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/base/wait_cursor.h"
#include "app/contacts/typed_text_rules.h"
#include "app/platform/card_link.h"
#include "core/codecs/error_table.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// Typing stops one character short of the 22 the SIM keeps.
constexpr int kNumberFieldLength = 21;
constexpr int kDialogWidth = 300;

}  // namespace

ContactInformationDialog::ContactInformationDialog(QWidget* parent, const ModuleServices& services,
                                                   const std::string& number)
    : QDialog(parent),
      services_(services),
      name_(new QLineEdit(this)),    // owned by the dialog
      number_(new QLineEdit(this)),  // owned by the dialog
      ok_(nullptr) {
  Build(services, {}, FromCp1252(number));
}

ContactInformationDialog::ContactInformationDialog(QWidget* parent, const ModuleServices& services,
                                                   int index)
    : QDialog(parent),
      services_(services),
      name_(new QLineEdit(this)),    // owned by the dialog
      number_(new QLineEdit(this)),  // owned by the dialog
      ok_(nullptr) {
  QString name;
  QString number;
  if (const ContactEntry* entry = services.store->Lists().contacts.GetAt(index)) {
    edit_ = ContactEdit{true, index, entry->location};
    name = FromCp1252(FieldText(entry->name));
    number = FromCp1252(FieldText(entry->number));
  }
  Build(services, name, number);
}

void ContactInformationDialog::Build(const ModuleServices& services, const QString& name,
                                     const QString& number) {
  setObjectName(QStringLiteral("ContactInformationDialog"));
  setWindowTitle(QStringLiteral("Contact Information"));
  SetControlId(name_, ControlId::kNameField);
  SetControlId(number_, ControlId::kContactNumber);

  // The limits hold back typing only: a stored value, or a sender's number,
  // longer than them is shown whole and written back as it is. A SIM that
  // names a limit beyond what the entry requests carry, or none at all,
  // still gets names the requests can carry.
  KeepCp1252AsTyped(name_);
  FilterNumberAsTyped(number_);
  name_->setText(name);
  number_->setText(number);
  const uint32_t limit = GetNameLimit(services.link->SyncPipe());
  LimitTyping(name_, static_cast<int>(std::clamp<uint32_t>(limit, 1, kSimNameLength)));
  LimitTyping(number_, kNumberFieldLength);

  auto* layout = new QFormLayout(this);  // owned by the dialog
  layout->addRow(QStringLiteral("&Name:"), name_);
  layout->addRow(QStringLiteral("N&umber:"), number_);
  auto* buttons =  // owned by the dialog
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &ContactInformationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addRow(buttons);
  connect(name_, &QLineEdit::textChanged, this, &ContactInformationDialog::UpdateOk);
  connect(number_, &QLineEdit::textChanged, this, &ContactInformationDialog::UpdateOk);
  setMinimumWidth(kDialogWidth);
  name_->setFocus();
  UpdateOk();
}

void ContactInformationDialog::UpdateOk() {
  ok_->setEnabled(!name_->text().isEmpty() && !number_->text().isEmpty());
}

void ContactInformationDialog::accept() {
  // The button is grey without text in both fields, but Enter still
  // arrives here.
  if (!ok_->isEnabled()) return;
  ContactSaveOutcome outcome;
  {
    const WaitCursor wait;  // a SIM write may take a minute
    outcome = SaveContactInformation(services_.link->SyncPipe(), services_.store->Lists().contacts,
                                     edit_, ToCp1252(name_->text()), ToCp1252(number_->text()));
  }
  if (outcome == ContactSaveOutcome::kAddRefused) {
    services_.asker->ShowError(kErrorContactNotSaved);
    return;  // the user's input stays for another try
  }
  if (outcome == ContactSaveOutcome::kUpdateRefused) {
    services_.asker->ShowError(kErrorContactNotSaved);
  }
  QDialog::accept();
}

}  // namespace zeph
