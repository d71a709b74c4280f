#pragma once
// Delivery reports: for every message sent while
// delivery reports were asked for, whether the network confirmed it. The
// send engine adds a "Pending" entry when it sends; reception replaces it
// with the status report, at the end of the list. Entries go singly
// (Delete), all at once with "&Clear List" (which asks nothing), or with
// Delete All from the menu (which the frame asks about first).
//
// The list is shared with the send thread and reception: every load,
// change and save holds its lock. Hiding the module saves the file.

#include <memory>

#include "app/folders/message_folder_module.h"

class QPushButton;

namespace zeph {

class ReportsModule final : public MessageFolderModule {
  Q_OBJECT

 public:
  ReportsModule(int index, const ModuleServices& services, QWidget* parent);

  // New; Delete (confirmed already) of every selected entry.
  void Command(FolderCommand command) override;
  // Delete All and "&Clear List": every entry goes.
  void DeleteAll() override;

  QPushButton* ClearButton() const { return clear_; }

 protected:
  // "&Clear List" is there to press while there are rows; hiding saves.
  void FinishRefresh(RefreshReason reason) override;

 private:
  QPushButton* clear_;
};

}  // namespace zeph
