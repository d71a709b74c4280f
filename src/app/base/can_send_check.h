#pragma once
// The can-send check of a window that is about to queue a message (the
// message editor, the chat, Send Business Card), on the user-interface
// thread's pipe. The send thread uses core's CanSendNow(pipe), which never
// shows anything.

class QWidget;

namespace zeph {

class CardLink;
class SettingsStore;

// 1 when the card can send now (a GSM or GPRS connection); else 0, after
// showing "Message Cannot Be Sent" modally over `owner` unless the user
// ticked "Do not show this message again". A link without pipes counts as a
// card service that does not answer.
int CanSendNow(QWidget* owner, CardLink& link, SettingsStore& settings);

}  // namespace zeph
