#include "core/resources/string_table.h"

#include <utility>

namespace zeph {
namespace {

// Ids without an entry are unused by the program. Texts with a trailing or
// single blank keep it: callers rely on it ("Start Chat ", " says:").
constexpr std::pair<int, std::string_view> kStrings[] = {
    {1, "Tavik Short Messaging"},
    {3, "Names:"},
    {5, " "},
    {6, " "},
    {7, " "},
    {8, "From"},
    {9, "Date & Time"},
    {10, "Name"},
    {11, "Number"},
    {12, "To"},
    {13, "Date & Time"},
    {14, "Status"},
    {15, "To"},
    {16, "Date & Time"},
    {17, "To"},
    {18, "Message"},
    {19, "Status"},
    {20, "Inbox"},
    {21, "Outbox"},
    {22, "Delivery reports"},
    {23, "Sent messages"},
    {24, "Contacts"},
    {26, " "},
    {27, "Waiting"},
    {28, "Sending..."},
    {29, "My Name"},
    {31, "Last Message Received: "},
    {32, "Sending..."},
    {33, "Pending"},
    {34, "Delivered"},
    {35, "Failed"},
    {36, "Tavik Short Messaging"},
    {37, "Are you sure you want to delete the selected item?"},
    {38, "Are you sure you want to delete all items?"},
    {39, "Write New Message"},
    {40, "Reply"},
    {41, "Forward"},
    {42, "Delete"},
    {43, "Start Chat "},
    {44, "Create New Picture"},
    {45, "Edit"},
    {46, "Export"},
    {47, "Import"},
    {48, "Delete"},
    {49, "Save"},
    {50, "Clear All"},
    {51, "Send"},
    {52, "Cut"},
    {53, "Copy"},
    {54, "Paste"},
    {55, "Attach Picture"},
    {56, "Remove Picture"},
    {57, "Save As Text"},
    {58, "Text is too long for the picture message. "},
    {65, "Unknown error."},
    {66, "Unable to save the contact card. Please try again later."},
    {67, "Unknown data message received. Message cannot be displayed."},
    {68, "<Unknown data message>"},
    {69, "Business Card"},
    {70, "Contains received messages"},
    {71, "Contains messages that are being sent or waiting to be sent"},
    {72, "Manage contact information and business cards"},
    {73, "Contains a copy of each sent message"},
    {74, "Information on the status of sent messages"},
    {75, "No recipient selected."},
    {78, "Failed"},
    {79, "Save Conversation"},
    {80, "https://club.tavik.example/"},
    {81, "Send Chat Message"},
    {82, "Import Picture"},
    {83, "Export Picture"},
    {84, " says:"},
    {85, "\\sms.chm"},
    {89, "Own Name"},
    {90, "..."},
    {91, "chat.txt"},
};

}  // namespace

std::string_view LoadString(int id) {
  for (const auto& [key, text] : kStrings) {
    if (key == id) return text;
  }
  return {};
}

}  // namespace zeph
