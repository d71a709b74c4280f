#pragma once
// The program's string table: every user-visible text that the program
// addresses by number (ids 1 to 93), as Windows-1252 bytes. Callers name a
// text by its StringId; the numbers are the texts' ids in this table, which
// never change.

#include <string_view>

namespace zeph {

enum class StringId : int {
  kProgramTitle = 1,  // the frame's title, the error box's caption
  kRecipientNamesColumn = 3,
  kEditorBarText = 5,  // the action bars' texts are a single blank
  kLibraryBarText = 6,
  kPictureEditorBarText = 7,
  kInboxFromColumn = 8,
  kInboxDateColumn = 9,  // also the Delivery reports' date column
  kContactsNameColumn = 10,
  kContactsNumberColumn = 11,
  kOutboxToColumn = 12,
  kOutboxDateColumn = 13,
  kOutboxStatusColumn = 14,
  kSentToColumn = 15,
  kSentDateColumn = 16,
  kReportsToColumn = 17,
  kReportsMessageColumn = 18,
  kReportsStatusColumn = 19,
  kInboxName = 20,
  kOutboxName = 21,
  kReportsName = 22,
  kSentName = 23,
  kContactsName = 24,
  kChatBarText = 26,
  kOutboxWaiting = 27,
  kOutboxSending = 28,
  kOwnNameDefault = 29,  // "OwnName" as start-up writes it
  kChatLastReceived = 31,
  kChatSending = 32,
  kReportPending = 33,
  kReportDelivered = 34,
  kReportFailed = 35,
  kQuestionCaption = 36,
  kDeleteSelectedQuestion = 37,
  kDeleteAllQuestion = 38,
  kNewTooltip = 39,
  kReplyTooltip = 40,
  kForwardTooltip = 41,
  kDeleteTooltip = 42,
  kChatTooltip = 43,
  kNewPictureTooltip = 44,
  kEditPictureTooltip = 45,
  kExportPictureTooltip = 46,
  kImportPictureTooltip = 47,
  kDeletePictureTooltip = 48,
  kSavePictureTooltip = 49,
  kClearAllTooltip = 50,
  kSendTooltip = 51,
  kCutTooltip = 52,
  kCopyTooltip = 53,
  kPasteTooltip = 54,
  kAttachPictureTooltip = 55,
  kRemovePictureTooltip = 56,
  kSaveAsTextTooltip = 57,
  kTextTooLongForPicture = 58,
  kUnknownError = 65,
  kCannotSaveContact = 66,
  kUnknownDataMessage = 67,
  kUnknownDataText = 68,
  kBusinessCardText = 69,
  kInboxDescription = 70,
  kOutboxDescription = 71,
  kContactsDescription = 72,
  kSentDescription = 73,
  kReportsDescription = 74,
  kNoRecipient = 75,
  kOutboxFailed = 78,
  kSaveConversationTitle = 79,
  kWebSite = 80,
  kSendChatTooltip = 81,
  kImportPictureTitle = 82,
  kExportPictureTitle = 83,
  kSaysSuffix = 84,
  kHelpFileName = 85,
  kOwnNameMissing = 89,  // the chat's name for the user when "OwnName" is missing
  kExcerptEllipsis = 90,
  kChatFileName = 91,
};

// The text of a string; it lives for the whole process.
std::string_view LoadString(StringId id);

// The same by number, for tables that hold the numbers (the error table);
// an id the table does not hold gives an empty text.
std::string_view LoadString(int id);

}  // namespace zeph
