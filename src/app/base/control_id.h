#pragma once
// Controls carry the id under which the program and its tests address them
// (list view 8001, title 8006, ...), as a widget property. The ids are the
// ones of the program's dialog resources; one id may name controls of
// different dialogs.

#include <QWidget>

namespace zeph {

enum class ControlId : int {
  kAboutBanner = 1017,
  kModuleList = 8001,  // every module's list view (Add To Contacts reads it)
  kSentToLabel = 8002,
  kCentreNumber = 8005,
  kModuleTitle = 8006,
  kChatHours = 8019,
  kPictureDecoration = 8022,
  kChatSend = 8045,
  kChatText = 8047,  // the chat's text control (the folders' previews are 8047 too)
  kInboxFromLabel = 8048,
  kChatList = 8052,
  kChatName = 8059,
  kChatPartner = 8062,
  kLengthCounter = 8064,  // the counter beside an editable text
  kChatOnTop = 8066,
  kDoNotShowAgain = 8072,
};

void SetControlId(QWidget* control, ControlId id);
// The control's id; 0 when it has none.
int ControlIdOf(const QWidget* control);

// The first descendant of `parent` with that id, or nullptr.
QWidget* FindControl(const QWidget* parent, ControlId id);

template <typename T>
T* FindControlAs(const QWidget* parent, ControlId id) {
  return qobject_cast<T*>(FindControl(parent, id));
}

}  // namespace zeph
