#pragma once
// What the four message folders (Inbox, Outbox, Sent messages, Delivery
// reports) share: the title over a list of the folder's records, with a
// preview below it (Inbox, Sent messages) or a row of buttons (Outbox,
// Delivery reports); the refresh that rebuilds the rows from the list; the
// column clicks that sort the rows; the context popup and the Delete key,
// both through the frame; and the frame's commands each folder enables. Each folder adds its
// columns, icons, commands and what it does on a reload.

#include <QItemSelection>
#include <QSize>
#include <vector>

#include "app/folders/folder_list.h"
#include "app/folders/message_list_model.h"
#include "app/module/module_page.h"

class QLabel;

namespace zeph {

class FolderListView;

// The commands a folder enables after a refresh that found at least one
// record; with none, each of them is disabled. Delete and Delete All are
// enabled in every message folder, Save Picture in none (the preview
// folders enable it for a selected picture message).
struct CommandEnabling {
  bool reply = false;
  bool forward = false;
  bool addToContacts = false;
  bool chat = false;
};

struct MessageFolderSetup {
  FolderList folder;
  std::vector<FolderColumn> columns;
  RowIcons icons;
  CommandEnabling enabling;
};

class MessageFolderModule : public ModulePage {
  Q_OBJECT

 public:
  // The size a module is made at and never goes below.
  static constexpr QSize kInitialSize{380, 300};

  MessageFolderModule(int index, const ModuleServices& services, MessageFolderSetup setup,
                      QWidget* parent);

  // The refresh of every message folder: re-lay out; remember the
  // selection mark's row; on kReload reload (the folder's own Reload),
  // rebuild the rows in list order, fit the columns, enable the commands,
  // and select the remembered row again. FinishRefresh ends both kinds.
  void Refresh(RefreshReason reason) override;
  bool ForwardKey(QKeyEvent* event) override;
  QAbstractItemView* ListView() const override;
  int SelectedKey() const override;

  FolderListView* List() const { return list_; }
  MessageListModel* Model() const { return model_; }
  // 0 until a column was clicked, then the code of the last click.
  int SortCode() const { return sortCode_; }
  // A click on column `column`: the next code of its direction, the rows
  // in that order, the selection mark's row (or row 0) scrolled into view.
  // A column without a sort code ignores the click.
  void SortByColumn(int column);

 protected:
  const FolderList& Folder() const { return folder_; }
  // A refresh is running (and may be waiting in a box it showed).
  bool Refreshing() const { return refreshing_; }
  // The folder's part of a reload; by default the list from its file.
  virtual void Reload();
  // The rows were rebuilt from the list.
  virtual void Rebuilt() {}
  // The end of a refresh. By default a kReload selects the remembered row
  // again and a kSaveOnHide does nothing more.
  virtual void FinishRefresh(RefreshReason reason);
  // Rows became selected (their keys), the current one last when it is
  // among them.
  virtual void RowsSelected(const std::vector<int>& keys) { static_cast<void>(keys); }
  // Double click and Enter on a row.
  virtual void OpenRow() {}
  // Selects the row remembered by the last reload.
  void SelectRememberedRow();
  // Sends the enabling of a refresh: with `any`, the folder's table; else
  // every command off. Nothing while the module is not on screen: the
  // menus belong to the current module.
  void EnableCommands(bool any);
  // Save Picture follows the selected message in the preview folders.
  void EnableSavePicture(bool enabled);

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void SelectionChanged(const QItemSelection& selected);

  FolderList folder_;
  CommandEnabling enabling_;
  QLabel* title_;
  FolderListView* list_;
  MessageListModel* model_;
  int sortCode_ = 0;
  int rememberedRow_ = 0;
  bool shown_ = false;         // shown once: from then on hiding refreshes too
  bool refreshing_ = false;    // a refresh is running (a modal box may nest another)
  bool reloadWanted_ = false;  // a reload was asked for meanwhile
};

}  // namespace zeph
