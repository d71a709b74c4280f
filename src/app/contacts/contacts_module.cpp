#include "app/contacts/contacts_module.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <unordered_map>
#include <vector>

#include "app/base/asker.h"
#include "app/base/control_id.h"
#include "app/base/folder_actions.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/base/title_font.h"
#include "app/base/wait_cursor.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "app/controls/report_list_view.h"
#include "app/platform/card_link.h"
#include "core/compose/editor_request.h"
#include "core/folders/contact_actions.h"
#include "core/folders/sim_contacts.h"
#include "core/folders/sort_order.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

// The module as it is made: the title, the list below it, and the four
// buttons along the bottom.
constexpr QSize kInitialSize(380, 300);

}  // namespace

ContactsModule::ContactsModule(int index, const ModuleServices& services, QWidget* parent)
    : ModulePage(index, services, parent),
      title_(new QLabel(Text(Row().name), this)),                 // owned by the module
      list_(new ReportListView(this)),                            // owned by the module
      new_(new QPushButton(QStringLiteral("&New..."), this)),     // owned by the module
      edit_(new QPushButton(QStringLiteral("&Edit..."), this)),   // owned by the module
      delete_(new QPushButton(QStringLiteral("&Delete"), this)),  // owned by the module
      send_(new QPushButton(QStringLiteral("&Send..."), this)),   // owned by the module
      retry_(new QTimer(this)),                                   // owned by the module
      popup_(new QMenu(this)),                                    // owned by the module
      sendAction_(popup_->addAction(QStringLiteral("Se&nd..."))),
      deleteAction_(popup_->addAction(QStringLiteral("&Delete"))),
      editAction_(popup_->addAction(QStringLiteral("&Edit..."))) {
  setObjectName(QStringLiteral("ContactsModule"));
  SetControlId(title_, ControlId::kModuleTitle);
  title_->setFont(CreateTitleFont(font()));
  SetControlId(list_, ControlId::kModuleList);
  list_->SetHeader({Text(StringId::kContactsNameColumn), Text(StringId::kContactsNumberColumn)});
  list_->InitImageList({IconForResource(IconId::kContactItem)});
  list_->header()->setSectionsClickable(true);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &ContactsModule::SortByColumn);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &ContactsModule::EditContact);
  // Only the popup's Chat and the Delete key go the frame's way.
  popup_->setObjectName(QStringLiteral("ContactsContextMenu"));
  popup_->insertAction(sendAction_, services.actions->chat);
  connect(sendAction_, &QAction::triggered, this, &ContactsModule::SendContact);
  connect(deleteAction_, &QAction::triggered, this, &ContactsModule::DeleteContact);
  connect(editAction_, &QAction::triggered, this, &ContactsModule::EditContact);
  AdoptList(list_, popup_);

  const std::pair<QPushButton*, ControlId> buttons[] = {{new_, ControlId::kNewContact},
                                                        {edit_, ControlId::kEditContact},
                                                        {delete_, ControlId::kDeleteContact},
                                                        {send_, ControlId::kSendButton}};
  for (const auto& [button, id] : buttons) SetControlId(button, id);
  PlaceTitleAndList(title_, list_);
  AddButtonRow({new_, edit_, delete_, send_});
  connect(new_, &QPushButton::clicked, this, &ContactsModule::NewContact);
  connect(edit_, &QPushButton::clicked, this, &ContactsModule::EditContact);
  connect(delete_, &QPushButton::clicked, this, &ContactsModule::DeleteContact);
  connect(send_, &QPushButton::clicked, this, &ContactsModule::SendContact);

  SetInitialSize(kInitialSize);
  Rebuild();

  retry_->setInterval(kRetryIntervalMs);
  connect(retry_, &QTimer::timeout, this, &ContactsModule::RetrySimRead);
  if (services.store->SimReadStatus() != 0) {
    // No SIM, or no answer at start-up: nothing is said, the module waits
    // for a read that works.
    EnableSimButtons(false);
    services.actions->deleteSelected->setEnabled(false);
    services.actions->chat->setEnabled(false);
    retry_->start();
  }
}

void ContactsModule::Refresh(RefreshReason reason) {
  if (reason == RefreshReason::kReload) Rebuild();
}

void ContactsModule::Command(FolderCommand command) {
  switch (command) {
    case FolderCommand::kNew:
      WriteMessage();
      break;
    case FolderCommand::kDelete:
      DeleteSelected();
      break;
    case FolderCommand::kChat:
      Chat();
      break;
    default:
      break;
  }
}

void ContactsModule::NewContact() {
  if (AddToContactsOpen()) return;
  ContactInformationDialog dialog(this, Services(), std::string());
  if (dialog.exec() == QDialog::Accepted) Rebuild();
}

void ContactsModule::EditContact() {
  if (AddToContactsOpen()) return;
  const int key = list_->GetCurSelParam();
  if (key < 0) return;
  ContactInformationDialog dialog(this, Services(), key);
  if (dialog.exec() == QDialog::Accepted) Rebuild();
}

void ContactsModule::DeleteContact() {
  if (!Services().asker->AskYesNo(this, Text(StringId::kQuestionCaption),
                                  Text(StringId::kDeleteSelectedQuestion))) {
    return;
  }
  DeleteSelected();
}

void ContactsModule::SendContact() {
  const int key = list_->GetCurSelParam();
  if (key < 0) return;
  SendBusinessCardDialog dialog(this, Services(), key);
  dialog.exec();
}

void ContactsModule::RetrySimRead() {
  const uint32_t status = Services().store->ReadSimPhonebook(*Services().link);
  if (!isHidden()) Rebuild();
  if (status != 0) return;  // the next tick tries again
  EnableSimButtons(true);
  retry_->stop();
}

void ContactsModule::Rebuild() {
  // Card parameter 0x500E is not read: nothing in Contacts uses its value.
  const ContactList& contacts = Services().store->Lists().contacts;
  QTreeWidgetItem* selected = list_->currentItem();
  const int remembered =
      selected != nullptr && selected->isSelected() ? list_->indexOfTopLevelItem(selected) : 0;
  list_->clear();
  int key = 0;
  for (const ContactEntry& entry : contacts) {
    list_->AddItem(0, key++,
                   {FromCp1252(FieldText(entry.name)), FromCp1252(FieldText(entry.number))});
  }
  list_->AdjustListView(kAdjustFillWidth);

  const FolderActions& actions = *Services().actions;
  for (QAction* none : {actions.reply, actions.forward, actions.savePicture, actions.addToContacts,
                        actions.deleteAll}) {
    none->setEnabled(false);
  }
  const int count = list_->topLevelItemCount();
  EnableCommands(count > 0);
  if (count == 0) return;
  if (sortCode_ == kSortNone) sortCode_ = kSortNameAscending;
  SortRows();
  // A row past the end (the last contact was deleted) selects nothing:
  // New and Chat must not act on a contact the user never chose.
  list_->SetSelection(remembered);
}

void ContactsModule::SortByColumn(int column) {
  sortCode_ = NextSortCode(sortCode_, column == 0 ? kSortNameAscending : kSortNumberAscending);
  SortRows();
  QTreeWidgetItem* mark = list_->currentItem();
  if (mark == nullptr || !mark->isSelected()) mark = list_->topLevelItem(0);
  if (mark != nullptr) list_->scrollToItem(mark);
}

void ContactsModule::SortRows() {
  const int selectedKey = list_->GetCurSelParam();
  std::vector<int> keys;
  keys.reserve(static_cast<size_t>(list_->topLevelItemCount()));
  for (int row = 0; row < list_->topLevelItemCount(); ++row) keys.push_back(list_->KeyOfRow(row));
  // The rows are taken out and put back in the new order: one model reset
  // instead of a move per row, so that a full SIM sorts at once.
  const QList<QTreeWidgetItem*> rows = list_->invisibleRootItem()->takeChildren();
  std::unordered_map<int, QTreeWidgetItem*> rowOfKey;
  for (size_t i = 0; i < keys.size(); ++i) rowOfKey[keys[i]] = rows[static_cast<qsizetype>(i)];
  SortContactRows(keys, Services().store->Lists().contacts, sortCode_);
  QList<QTreeWidgetItem*> sorted;
  sorted.reserve(rows.size());
  for (int key : keys) sorted.append(rowOfKey[key]);
  list_->addTopLevelItems(sorted);

  const bool byName = sortCode_ == kSortNameAscending || sortCode_ == kSortNameDescending;
  const bool ascending = sortCode_ == kSortNameAscending || sortCode_ == kSortNumberAscending;
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(byName ? 0 : 1,
                                    ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  if (selectedKey >= 0) list_->SetSelection(list_->FindItemByParam(selectedKey));
}

void ContactsModule::EnableCommands(bool any) {
  // The frame's Delete and Chat (menu bar, action bar and the popup's
  // Chat), and the popup's own three.
  for (QAction* action : {Services().actions->deleteSelected, Services().actions->chat, sendAction_,
                          deleteAction_, editAction_}) {
    action->setEnabled(any);
  }
}

void ContactsModule::EnableSimButtons(bool enabled) {
  for (QPushButton* button : {new_, edit_, delete_, send_}) button->setEnabled(enabled);
}

void ContactsModule::WriteMessage() {
  const int key = list_->GetCurSelParam();
  const ContactEntry* contact = Services().store->Lists().contacts.GetAt(key);
  if (contact == nullptr) {
    emit OpenEditor(EditorRequest{});
    return;
  }
  const auto scratch = ContactScratch(FieldText(contact->number));
  emit OpenEditor(EditorRequest{EditorMode::kReply, scratch.get(), SourceFolder::kContacts, key});
}

void ContactsModule::Chat() {
  ProgramStore& store = *Services().store;
  const ContactEntry* contact = store.Lists().contacts.GetAt(list_->GetCurSelParam());
  if (contact == nullptr) return;
  const auto seed = ContactChatSeed(store.Lists().inbox, FieldText(contact->number));
  emit OpenChat(*seed);
}

void ContactsModule::DeleteSelected() {
  const int key = list_->GetCurSelParam();
  if (key < 0) return;
  {
    const WaitCursor wait;  // a SIM write may take a minute
    // The entry goes whatever the card answered.
    static_cast<void>(
        RemoveContact(Services().link->SyncPipe(), Services().store->Lists().contacts, key));
  }
  Rebuild();
}

void ContactsModule::OpenAddToContacts(const std::string& number) {
  if (addToContacts_ != nullptr) {
    addToContacts_->raise();
    addToContacts_->activateWindow();
    return;
  }
  // Over the frame: the module need not be on screen.
  addToContacts_ =
      new ContactInformationDialog(window(), Services(), number);  // owned by the frame
  addToContacts_->setAttribute(Qt::WA_DeleteOnClose);
  // The user may have gone to Contacts meanwhile: the list shows the new
  // entry at once. Hidden, it rebuilds when it is shown next.
  connect(addToContacts_, &QDialog::accepted, this, [this] {
    if (isVisible()) Refresh(RefreshReason::kReload);
  });
  addToContacts_->show();
}

bool ContactsModule::AddToContactsOpen() const {
  return addToContacts_ != nullptr;
}

}  // namespace zeph
