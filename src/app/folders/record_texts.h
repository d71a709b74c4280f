#pragma once
// The texts the message folders show for a record, worked out by core's
// rules: the other party's name and the date and time, in the rows and in
// the preview's labels alike.

#include <QString>

#include "core/store/app_lists.h"

namespace zeph {

// The name of the first contact holding the first number's last six
// characters, else the number.
QString NumberNameText(const MessageRecord& record, const ContactList& contacts);

// "Thu 05.12.2002 9:05": the locale's short day name, then the digits.
QString FolderDateText(const RecordTime& time);

}  // namespace zeph
