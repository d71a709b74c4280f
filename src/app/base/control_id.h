#pragma once
// Controls carry the id under which the program and its tests address them
// (a module's list, its title, ...), as a widget property. One id may name
// controls of different windows; its name then says which.

#include <QWidget>

namespace zeph {

enum class ControlId : int {
  kAboutBanner = 1017,
  // Every module's list view (Add To Contacts reads it); Add Recipients' contacts.
  kModuleList = 8001,
  kSentToLabel = 8002,
  kCentreNumberOrDate = 8005,  // Options' centre number; the preview folders' date
  kModuleTitle = 8006,
  kAddContactRecipient = 8007,  // Add Recipients' ">>" beside the contacts
  kRemoveRecipient = 8008,      // its "<<"
  kAddNumberRecipient = 8009,   // its ">>" beside "Number:"
  kAddRecipients = 8014,        // the composer's "&Add Recipients..."
  kChatHours = 8019,
  // Contacts and its dialogs.
  kSelectRecipient = 8010,
  kNewContact = 8015,
  kEditContact = 8016,
  kSaveCardNumbers = 8017,
  kContactNumber = 8018,
  kSelectRecipientOk = 8020,
  kDeleteContact = 8044,
  kSendButton = 8045,  // Contacts' Send, Send Business Card's Send, the chat's Send
  kCardRecipient = 8046,
  // Contact Information's name, Send Business Card's "Card:", Options' chat name.
  kNameField = 8059,
  kCardNameChoice = 8068,
  kComposerPlace = 8021,  // the message editor's frame for its composer panel
  kPictureDecoration = 8022,
  kPictureEditArea = 8023,  // the Picture Editor's large picture edit control
  kPicturePreview = 8050,
  kPictureOrChatList = 8052,  // the Picture Library's list; the chat's list
  // The preview folders' labels below the list, and the preview.
  kInboxFromLabel = 8048,
  kSenderValue = 8004,
  kRecipientValue = 8061,
  kPreviewOrChatText = 8047,   // the folders' preview; the chat's text control
  kMessageText = 8053,         // the composer's text control
  kSelectedRecipients = 8054,  // Add Recipients' list
  kRecipients = 8056,          // the composer's list of recipients
  kRecipientNumber = 8058,     // Add Recipients' "Number:"
  kChatPartner = 8062,
  kLengthCounter = 8064,  // the counter beside an editable text
  kChatOnTop = 8066,
  kDoNotShowAgain = 8072,
  kComposerSend = 8073,  // the composer's send picture, which sends on a click
  kClearList = 8049,     // Delivery reports' "&Clear List"
  kResend = 8075,        // the Outbox's "&Resend"
  kResendAll = 8076,     // and its "Resend &All", never shown
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
