#pragma once
// What the rest of the program may ask of the open chat window without
// knowing its class (the chat lives in the compose layer, beside the
// folders): reception reads the partner from the caption to route an
// arrival, appends a copy to the program's chat list and then tells the
// window. The chat window implements it; OpenWindows::chatWindow finds it.

#include <string>

#include "app/base/module_services.h"

namespace zeph {

class ChatWindowLink {
 public:
  virtual ~ChatWindowLink() = default;

  // The partner field, "Name <number>", as Windows-1252 bytes; the number
  // is what follows its last '<' (core's PartnerNumberFromCaption).
  virtual std::string PartnerCaption() const = 0;
  // A copy of a message from the partner was appended to the chat list:
  // the window refills its rows, selects the last and says when it came.
  virtual void ConversationAppended() = 0;
};

// The open chat window, or none while no chat window is open.
inline ChatWindowLink* OpenChatLink(const OpenWindows& windows) {
  return dynamic_cast<ChatWindowLink*>(windows.chatWindow.data());
}

}  // namespace zeph
