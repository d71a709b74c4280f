#pragma once
// Sent messages: a copy of every message the send
// engine sent, business cards excepted, with the preview below. New,
// Forward (also a double click and Enter), Chat, Delete, Save Picture and
// Delete All; nothing here is marked read. The list is shared with the
// send thread, which appends to it and saves it: every load, change and
// save here holds its lock.

#include <memory>

#include "app/folders/preview_folder_module.h"

namespace zeph {

class SentModule final : public PreviewFolderModule {
  Q_OBJECT

 public:
  SentModule(int index, const ModuleServices& services, QWidget* parent);

 protected:
  void OpenRow() override { ForwardSelected(); }
};

}  // namespace zeph
