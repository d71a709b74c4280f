#pragma once
// The Contacts module: the SIM phonebook as the
// program read it, with New, Edit, Delete and Send (a business card), a
// message or a chat to a contact, and the retry of a SIM read that failed
// at start-up.

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <memory>
#include <string>

#include "app/controls/report_list_view.h"
#include "app/module/module_page.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace zeph {

class ContactsModule final : public ModulePage {
  Q_OBJECT

 public:
  // The retry timer's period after a failed SIM read.
  static constexpr int kRetryIntervalMs = 5000;

  ContactsModule(int index, const ModuleServices& services, QWidget* parent);

  // Becoming current and every change rebuild the list.
  void Refresh(RefreshReason reason) override;
  // New writes a message to the selected contact, Delete deletes it
  // (confirmed already), Chat opens a chat with it.
  void Command(FolderCommand command) override;
  ReportListView* ListView() const override { return list_; }
  // The list's context menu: the frame's Chat, and Send, Delete and Edit,
  // the module's own commands, which it carries out itself.
  QMenu* ContextMenu() const { return popup_; }

  // The module's own commands: its buttons, its popup and the double click.
  void NewContact();     // "&New...": Contact Information for a new entry
  void EditContact();    // "&Edit...": Contact Information for the selection
  void DeleteContact();  // "&Delete": the selection, after the question
  void SendContact();    // "&Send...": the selection as a business card
  // Add To Contacts: Contact Information for a new entry with `number`
  // (Windows-1252), modeless. When one is open already it comes to the
  // front as it is; while it is open New and Edit do nothing.
  void OpenAddToContacts(const std::string& number);
  QDialog* AddToContactsWindow() const { return addToContacts_; }

  // One tick of the retry timer: reads the SIM phonebook again, rebuilds
  // the list when the module is shown, and after a good read enables the
  // buttons and stops the timer.
  void RetrySimRead();
  const QTimer* RetryTimer() const { return retry_; }

  // 0 before the first rebuild, then 1/2 (name) or 5/6 (number).
  int SortCode() const { return sortCode_; }

 private:
  void Rebuild();
  void SortByColumn(int column);
  void SortRows();
  void EnableCommands(bool any);
  void EnableSimButtons(bool enabled);
  void WriteMessage();
  void Chat();
  void DeleteSelected();
  // Contact Information opened by Add To Contacts is on the screen.
  bool AddToContactsOpen() const;

  QLabel* title_;
  ReportListView* list_;
  QPushButton* new_;
  QPushButton* edit_;
  QPushButton* delete_;
  QPushButton* send_;
  QTimer* retry_;
  QPointer<QDialog> addToContacts_;  // Contact Information of Add To Contacts, while open
  QMenu* popup_;                     // owned by the module
  QAction* sendAction_;
  QAction* deleteAction_;
  QAction* editAction_;
  int sortCode_ = 0;
};

}  // namespace zeph
