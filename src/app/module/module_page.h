#pragma once
// The interface every module of the frame (the four message folders and
// Contacts) implements: a page of the module space. The frame creates the five
// modules once, as children of the module space, and afterwards only hides
// and shows them, so each keeps its state while another is current. A
// module gets what it works on through its services; what it wants from
// the frame it asks for with a signal, which the shell connects.

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/base/module_services.h"
#include "app/module/module_table.h"
#include "core/compose/editor_request.h"
#include "core/store/message_record.h"

class QAbstractItemView;
class QKeyEvent;
class QMenu;
class QPushButton;
class QVBoxLayout;

namespace zeph {

// Why a module refreshes.
enum class RefreshReason : int {
  kSaveOnHide = 0,  // it was hidden: nothing is rebuilt; the Inbox and Delivery reports save
  kReload = 1,      // it became current, or its data changed: reload and rebuild the list
};

class ModulePage : public QWidget {
  Q_OBJECT

 public:
  ModulePage(int index, const ModuleServices& services, QWidget* parent);

  int Index() const { return index_; }
  const ModuleRow& Row() const;

  virtual void Refresh(RefreshReason reason) = 0;
  // New, Reply, Forward, Delete (already confirmed), Chat, on the module's
  // selection.
  virtual void Command(FolderCommand command) = 0;
  // Save Picture.
  virtual void SavePicture() {}
  // Delete All, already confirmed.
  virtual void DeleteAll() {}
  // The smallest size the module gets in the module space: its initial
  // size, or more where its controls need more (a large font).
  QSize SmallestSize() const;
  // Key-down, key-up and character input forwarded by the module space;
  // true when the module used it.
  virtual bool ForwardKey(QKeyEvent* event);
  // The module's list: a list of items (Contacts) or a view
  // over a model of the folder's list (the message folders).
  virtual QAbstractItemView* ListView() const = 0;
  // The key of the selected row (the index of the element it shows in the
  // module's list), -1 when no row is selected. This default reads a
  // ReportListView's rows; a module with another kind of list says it
  // itself.
  virtual int SelectedKey() const;

  // The chat window opened with this partner number, or closed (none).
  // The Inbox copies the partner's arrivals into the chat; others ignore it.
  virtual void ChatPartnerChanged(const std::optional<std::string>& partnerNumber);

  // Add To Contacts: with a row selected, asks for Contact Information
  // with the sender of the Inbox message at the row's key. The key is read
  // in the Inbox's list whichever module is current; the folders enable
  // the command only where their keys are the Inbox's.
  void AddToContacts();

 signals:
  // Open Contact Information for a new entry with this number
  // (Windows-1252).
  void OpenContactInformation(const std::string& number);
  // Open the message editor with `request` (its scratch record need only
  // live for the call). Whoever opens editors ignores the request while
  // one is open.
  void OpenEditor(const zeph::EditorRequest& request);
  // Open the chat window with a conversation seeded by `seed` (copied).
  // Whoever opens it ignores the request while a chat window is open.
  void OpenChat(const zeph::MessageRecord& seed);
  // A business card arrived: whoever shows it returns when the user has
  // answered, for reception waits (a direct connection). None: it is dropped.
  void BusinessCardReceived(const zeph::MessageRecord& card);
  // Messages arrived and were filed: the module on screen reloads.
  void MessagesArrived();
  // A message from the open chat's partner was copied into the chat list:
  // the chat window shows it.
  void ChatMessageArrived();

 protected:
  const ModuleServices& Services() const { return services_; }
  // The size the module is made at, which it never goes below.
  void SetInitialSize(QSize size);
  QSize InitialSize() const { return initialSize_; }
  // The module's column, from top to bottom: its title, its list and what
  // goes below the list. The list takes the height that is left.
  QVBoxLayout* Column() const { return column_; }
  // Puts `title` and `list` at the top of the column.
  void PlaceTitleAndList(QWidget* title, QWidget* list);
  // A row of push buttons along the module's bottom, from the left.
  void AddButtonRow(const std::vector<QPushButton*>& buttons);
  // Gives the module's list what every folder's list has: the module's
  // name for assistive technology, the Delete key (the frame's Delete),
  // and `popup` on a right click (none: no context menu).
  void AdoptList(QAbstractItemView* list, QMenu* popup);
  // The focus given to the module goes on to its first control.
  void focusInEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int index_;
  ModuleServices services_;
  QSize initialSize_;
  QVBoxLayout* column_;
  QAbstractItemView* list_ = nullptr;  // a child of the module, once adopted
};

// Makes the module of row `index` of the module table.
using ModuleFactory = std::function<std::unique_ptr<ModulePage>(
    int index, const ModuleServices& services, QWidget* parent)>;

}  // namespace zeph
