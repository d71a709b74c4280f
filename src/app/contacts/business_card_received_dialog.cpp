#include "app/contacts/business_card_received_dialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "app/base/asker.h"
#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/base/wait_cursor.h"
#include "app/contacts/typed_text_rules.h"
#include "app/controls/report_list_view.h"
#include "app/platform/card_link.h"
#include "core/codecs/business_card_choices.h"
#include "core/codecs/error_table.h"
#include "core/folders/sim_contacts.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr QSize kDialogSize(330, 330);

}  // namespace

BusinessCardReceivedDialog::BusinessCardReceivedDialog(QWidget* parent,
                                                       const ModuleServices& services,
                                                       const BusinessCardFields& card)
    : QDialog(parent),
      services_(services),
      card_(card),
      names_(new QComboBox(this)),          // owned by the dialog
      numbers_(new ReportListView(this)) {  // owned by the dialog
  setObjectName(QStringLiteral("BusinessCardReceivedDialog"));
  setWindowTitle(QStringLiteral("Business Card Received"));
  SetControlId(names_, ControlId::kCardNameChoice);
  SetControlId(numbers_, ControlId::kModuleList);

  names_->setEditable(true);
  names_->setInsertPolicy(QComboBox::NoInsert);
  names_->lineEdit()->setMaxLength(static_cast<int>(kSavedCardNameLength));
  KeepCp1252AsTyped(names_->lineEdit());
  for (const std::string& name : BusinessCardNameVariants(card_)) {
    names_->addItem(FromCp1252(name));
  }
  names_->setCurrentIndex(0);

  numbers_->SetHeader({QString()});
  numbers_->header()->hide();
  numbers_->setContextMenuPolicy(Qt::NoContextMenu);
  for (const CardNumberChoice& choice : BusinessCardNumberChoices(card_)) {
    const int row = numbers_->AddItem(-1, choice.slot, {FromCp1252(choice.number)});
    QTreeWidgetItem* item = numbers_->topLevelItem(row);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, row == 0 ? Qt::Checked : Qt::Unchecked);
  }
  numbers_->AdjustListView(kAdjustFirstToText | kAdjustFillWidth);
  numbers_->SetSelection(0);

  auto* text = new QLabel(  // owned by the dialog
      QStringLiteral("You have received a business card. Select the phone numbers you want to "
                     "save to the SIM card"),
      this);
  text->setWordWrap(true);
  auto* nameLabel = new QLabel(QStringLiteral("Name:"), this);  // owned by the dialog
  nameLabel->setBuddy(names_);
  // An editable combo box is announced by its text, and its field by
  // nothing: both take the label's name.
  names_->setAccessibleName(nameLabel->text());
  names_->lineEdit()->setAccessibleName(nameLabel->text());
  auto* numbersLabel =
      new QLabel(QStringLiteral("Numbers available:"), this);  // owned by the dialog
  numbersLabel->setBuddy(numbers_);
  numbers_->setAccessibleName(numbersLabel->text());
  auto* save = new QPushButton(QStringLiteral("&Save"), this);        // owned by the dialog
  auto* discard = new QPushButton(QStringLiteral("Dis&card"), this);  // owned by the dialog
  SetControlId(save, ControlId::kSaveCardNumbers);
  save->setDefault(true);
  connect(save, &QPushButton::clicked, this, &BusinessCardReceivedDialog::accept);
  connect(discard, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addWidget(text);
  layout->addWidget(nameLabel);
  layout->addWidget(names_);
  layout->addWidget(numbersLabel);
  layout->addWidget(numbers_, 1);
  auto* buttons = new QHBoxLayout;  // owned by the dialog's layout once added
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(discard);
  layout->addLayout(buttons);
  resize(kDialogSize);
  names_->setFocus();
}

void BusinessCardReceivedDialog::accept() {
  std::vector<std::string> checked;
  for (int row = 0; row < numbers_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = numbers_->topLevelItem(row);
    if (item->checkState(0) != Qt::Checked) continue;
    // Each item stands for its own slot, so an empty TEL value before it
    // does not shift it onto another number.
    const int slot = numbers_->KeyOfRow(row);
    checked.push_back(FieldText(card_.numbers[static_cast<size_t>(slot)]));
  }
  CardSaveResult result;
  {
    const WaitCursor wait;  // each SIM write may take a minute
    result = SaveCardNumbers(services_.link->SyncPipe(), services_.store->Lists().contacts,
                             ToCp1252(names_->currentText()), checked);
  }
  if (result.failed) services_.asker->ShowError(kErrorContactNotSaved);
  QDialog::accept();
}

int ParseBusinessCard(const MessageRecord& record, QWidget* owner, const ModuleServices& services) {
  const std::optional<BusinessCardFields> card = ParseBusinessCardText(TextOf(record));
  if (!card) return 0;
  BusinessCardReceivedDialog dialog(owner, services, *card);
  dialog.exec();
  return 1;
}

}  // namespace zeph
