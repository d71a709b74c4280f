#include "core/resources/string_table.h"

#include <utility>

namespace zeph {
namespace {

// Ids without an entry are unused by the program. Texts with a trailing or
// single blank keep it: callers rely on it ("Start Chat ", " says:").
constexpr std::pair<StringId, std::string_view> kStrings[] = {
    {StringId::kProgramTitle, "Tavik Short Messaging"},
    {StringId::kRecipientNamesColumn, "Names:"},
    {StringId::kEditorBarText, " "},
    {StringId::kLibraryBarText, " "},
    {StringId::kPictureEditorBarText, " "},
    {StringId::kInboxFromColumn, "From"},
    {StringId::kInboxDateColumn, "Date & Time"},
    {StringId::kContactsNameColumn, "Name"},
    {StringId::kContactsNumberColumn, "Number"},
    {StringId::kOutboxToColumn, "To"},
    {StringId::kOutboxDateColumn, "Date & Time"},
    {StringId::kOutboxStatusColumn, "Status"},
    {StringId::kSentToColumn, "To"},
    {StringId::kSentDateColumn, "Date & Time"},
    {StringId::kReportsToColumn, "To"},
    {StringId::kReportsMessageColumn, "Message"},
    {StringId::kReportsStatusColumn, "Status"},
    {StringId::kInboxName, "Inbox"},
    {StringId::kOutboxName, "Outbox"},
    {StringId::kReportsName, "Delivery reports"},
    {StringId::kSentName, "Sent messages"},
    {StringId::kContactsName, "Contacts"},
    {StringId::kChatBarText, " "},
    {StringId::kOutboxWaiting, "Waiting"},
    {StringId::kOutboxSending, "Sending..."},
    {StringId::kOwnNameDefault, "My Name"},
    {StringId::kChatLastReceived, "Last Message Received: "},
    {StringId::kChatSending, "Sending..."},
    {StringId::kReportPending, "Pending"},
    {StringId::kReportDelivered, "Delivered"},
    {StringId::kReportFailed, "Failed"},
    {StringId::kQuestionCaption, "Tavik Short Messaging"},
    {StringId::kDeleteSelectedQuestion, "Are you sure you want to delete the selected item?"},
    {StringId::kDeleteAllQuestion, "Are you sure you want to delete all items?"},
    {StringId::kNewTooltip, "Write New Message"},
    {StringId::kReplyTooltip, "Reply"},
    {StringId::kForwardTooltip, "Forward"},
    {StringId::kDeleteTooltip, "Delete"},
    {StringId::kChatTooltip, "Start Chat "},
    {StringId::kNewPictureTooltip, "Create New Picture"},
    {StringId::kEditPictureTooltip, "Edit"},
    {StringId::kExportPictureTooltip, "Export"},
    {StringId::kImportPictureTooltip, "Import"},
    {StringId::kDeletePictureTooltip, "Delete"},
    {StringId::kSavePictureTooltip, "Save"},
    {StringId::kClearAllTooltip, "Clear All"},
    {StringId::kSendTooltip, "Send"},
    {StringId::kCutTooltip, "Cut"},
    {StringId::kCopyTooltip, "Copy"},
    {StringId::kPasteTooltip, "Paste"},
    {StringId::kAttachPictureTooltip, "Attach Picture"},
    {StringId::kRemovePictureTooltip, "Remove Picture"},
    {StringId::kSaveAsTextTooltip, "Save As Text"},
    {StringId::kTextTooLongForPicture, "Text is too long for the picture message. "},
    {StringId::kUnknownError, "Unknown error."},
    {StringId::kCannotSaveContact, "Unable to save the contact card. Please try again later."},
    {StringId::kUnknownDataMessage, "Unknown data message received. Message cannot be displayed."},
    {StringId::kUnknownDataText, "<Unknown data message>"},
    {StringId::kBusinessCardText, "Business Card"},
    {StringId::kInboxDescription, "Contains received messages"},
    {StringId::kOutboxDescription, "Contains messages that are being sent or waiting to be sent"},
    {StringId::kContactsDescription, "Manage contact information and business cards"},
    {StringId::kSentDescription, "Contains a copy of each sent message"},
    {StringId::kReportsDescription, "Information on the status of sent messages"},
    {StringId::kNoRecipient, "No recipient selected."},
    {StringId::kOutboxFailed, "Failed"},
    {StringId::kSaveConversationTitle, "Save Conversation"},
    {StringId::kWebSite, "https://club.tavik.example/"},
    {StringId::kSendChatTooltip, "Send Chat Message"},
    {StringId::kImportPictureTitle, "Import Picture"},
    {StringId::kExportPictureTitle, "Export Picture"},
    {StringId::kSaysSuffix, " says:"},
    {StringId::kHelpFileName, "\\sms.chm"},
    {StringId::kOwnNameMissing, "Own Name"},
    {StringId::kExcerptEllipsis, "..."},
    {StringId::kChatFileName, "chat.txt"},
};

}  // namespace

std::string_view LoadString(StringId id) {
  for (const auto& [key, text] : kStrings) {
    if (key == id) return text;
  }
  return {};
}

std::string_view LoadString(int id) {
  return LoadString(static_cast<StringId>(id));
}

}  // namespace zeph
