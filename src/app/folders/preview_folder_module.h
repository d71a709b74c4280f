#pragma once
// The message folders with a preview (Inbox, Sent messages): below the
// list a bold caption ("From:", "To:"), the other party's name, the date
// and time, and the selected message's text and picture in a read-only
// message text control. They share Forward, Chat, Delete, Save Picture and
// Delete All; the Inbox adds reception, Reply and the read mark.

#include <memory>

#include "app/base/control_id.h"
#include "app/folders/message_folder_module.h"
#include "core/compose/editor_request.h"

class QLabel;

namespace zeph {

class MessageTextControl;

struct PreviewLabels {
  const char* caption;  // "From:" or "To:"
  ControlId captionId;
  ControlId valueId;
};

class PreviewFolderModule : public MessageFolderModule {
  Q_OBJECT

 public:
  PreviewFolderModule(int index, const ModuleServices& services, MessageFolderSetup setup,
                      PreviewLabels labels, SourceFolder source, QWidget* parent);

  // New, Reply (where the folder has it), Forward, Delete (confirmed
  // already), Chat.
  void Command(FolderCommand command) override;
  // Save Picture: the selected message's picture into the picture library,
  // unless the library holds the same 252 bytes already.
  void SavePicture() override;
  // Delete All, confirmed: the folder emptied and saved.
  void DeleteAll() override;

  MessageTextControl* Preview() const { return preview_; }

 protected:
  // Every selected row's record removed, the file saved, the rows rebuilt.
  void DeleteSelected();
  // Forward: the editor with the selected message's text and picture and
  // no recipient. Nothing with no selection.
  void ForwardSelected();
  // Chat: the chat window seeded with the selected message. Nothing with
  // no selection.
  void ChatWithSelected();
  // New: the editor without a request.
  void WriteNew();
  // Reply: the Inbox's alone; the other folders have none.
  virtual void Reply() {}

  // Shows the record (the last of `keys`) in the preview and the labels,
  // and follows it with Save Picture.
  void RowsSelected(const std::vector<int>& keys) override;
  // The end of a reload: the preview emptied, then the remembered row
  // selected, which shows it again.
  void FinishRefresh(RefreshReason reason) override;
  void ClearPreview();

 private:
  SourceFolder source_;
  QLabel* caption_;
  QLabel* value_;
  QLabel* date_;
  MessageTextControl* preview_;
};

}  // namespace zeph
