#include "app/contacts/select_recipient_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "app/base/control_id.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/controls/report_list_view.h"
#include "core/folders/contact_actions.h"
#include "core/folders/sort_order.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr QSize kDialogSize(260, 300);

}  // namespace

SelectRecipientDialog::SelectRecipientDialog(QWidget* parent, const ContactList& contacts)
    : QDialog(parent), list_(new ReportListView(this)) {  // owned by the dialog
  setObjectName(QStringLiteral("SelectRecipientDialog"));
  setWindowTitle(QStringLiteral("Select Recipient"));
  SetControlId(list_, ControlId::kModuleList);
  list_->SetHeader({Text(StringId::kRecipientNamesColumn)});
  list_->setAccessibleName(Text(StringId::kRecipientNamesColumn));
  list_->InitImageList({IconForResource(IconId::kContactItem)});
  list_->setContextMenuPolicy(Qt::NoContextMenu);

  std::vector<int> keys;
  for (int i = 0; i < contacts.Count(); ++i) keys.push_back(i);
  SortContactRows(keys, contacts, kSortNameAscending);
  for (int key : keys) {
    list_->AddItem(0, key, {FromCp1252(FieldText(contacts.GetAt(key)->name))});
  }
  list_->SetSelection(0);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &SelectRecipientDialog::accept);

  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addWidget(list_);
  auto* buttons =  // owned by the dialog
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  SetControlId(buttons->button(QDialogButtonBox::Ok), ControlId::kSelectRecipientOk);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &SelectRecipientDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(kDialogSize);
  list_->setFocus();
}

void SelectRecipientDialog::accept() {
  const int key = list_->GetCurSelParam();
  done(key < 0 ? 0 : 1 + key);
}

int SelectRecipient(QWidget* owner, const ContactList& contacts) {
  SelectRecipientDialog dialog(owner, contacts);
  return dialog.exec();
}

}  // namespace zeph
