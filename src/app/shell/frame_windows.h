#pragma once
// The windows the frame's modules ask for, and the connections between
// them and the modules: the message editor (File > New, New, Reply,
// Forward), one at a time; the chat window (Chat), one at a time, with its
// Enter rule, its partner told to the modules and reception's arrivals
// told to it; and Add To Contacts, which the Contacts module opens. Made as
// a child of the frame, it goes with it.

#include <QObject>
#include <QPointer>

#include "app/compose/chat_opener.h"
#include "app/compose/message_editor.h"
#include "app/shell/chat_enter_filter.h"

namespace zeph {

class MainFrame;

class FrameWindows final : public QObject {
  Q_OBJECT

 public:
  // `choosePicture` opens the Picture Library for a choice; none: Attach
  // Picture finds nothing to attach. The Enter rule watches the whole
  // program from here on.
  FrameWindows(MainFrame& frame, const ModuleServices& services, PictureChooser choosePicture);

  // The open message editor, or none.
  MessageEditor* Editor() const { return editor_; }
  ChatOpener& Chats() const { return *chats_; }

 private:
  // Unless an editor is open: opens one for `request`; what it queues
  // shows in the current module at once.
  void OpenEditor(const EditorRequest& request);

  MainFrame& frame_;
  MessageEditorSetup editorSetup_;
  QPointer<MessageEditor> editor_;  // owned by the frame, deleted when closed
  ChatOpener* chats_;               // owned here
  ChatEnterFilter* chatEnter_;      // owned here
};

}  // namespace zeph
