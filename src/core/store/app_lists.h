#pragma once
// The program-wide lists, gathered in one object so that the program makes
// one and tests make fresh ones.

#include <string>

#include "core/store/block_list.h"
#include "core/store/contact_entry.h"
#include "core/store/locked_block_list.h"
#include "core/store/message_record.h"
#include "core/store/picture_library_file.h"

namespace zeph {

inline constexpr const char* kInboxFileName = "recsms.sms";
inline constexpr const char* kOutboxFileName = "outbox.sms";
inline constexpr const char* kSentFileName = "sentsms.sms";
inline constexpr const char* kReportsFileName = "reports.sms";
inline constexpr const char* kPictureLibraryFileName = "smspic.smp";

using ContactList = BlockList<ContactEntry>;

// Where the five store files live. The program resolves the folders; core
// only joins them with the file names.
struct StorePaths {
  std::string inbox;
  std::string outbox;
  std::string sent;
  std::string reports;
  std::string pictures;

  static StorePaths InFolders(const std::string& messagesFolder, const std::string& picturesFolder);
  static StorePaths InFolder(const std::string& folder) { return InFolders(folder, folder); }
};

struct AppLists {
  MessageList inbox;         // user-interface thread only
  LockedMessageList outbox;  // shared with the send thread: the Outbox lock
  // Sent messages and Delivery reports are appended and saved by the send
  // thread too; each has its own lock, which every change, load and save of
  // the list and its file takes.
  LockedMessageList sent;
  LockedMessageList reports;
  MessageList chat;      // the open chat's conversation
  ContactList contacts;  // the SIM phonebook as last read
  PictureList pictures;  // the picture library
};

}  // namespace zeph
