#pragma once
// How a folder opens the message editor: a mode, a scratch record with what
// the new message starts from, the folder the source came from and its
// position there. The editor copies what it takes from the scratch record,
// so the opener may destroy it as soon as the editor has been made.

#include <memory>
#include <string_view>

#include "core/store/message_record.h"

namespace zeph {

enum class EditorMode : int { kNew = 1, kReply = 2, kForward = 3 };
enum class SourceFolder : int { kInbox = 1, kSent = 2, kContacts = 3 };

struct EditorRequest {
  EditorMode mode = EditorMode::kNew;
  const MessageRecord* record = nullptr;  // none for a new message
  SourceFolder folder = SourceFolder::kSent;
  int index = -1;  // the source's position in its folder's list, -1 for none
};

// Reply: every number of `source` (the sender), its flags without
// MRF_PICTURE, its service centre; no text, no picture.
std::unique_ptr<MessageRecord> ReplyScratch(const MessageRecord& source);

// Forward: no numbers; the flags, text and picture of `source`.
std::unique_ptr<MessageRecord> ForwardScratch(const MessageRecord& source);

// A message to a contact: the contact's number alone, flags 0, no text.
std::unique_ptr<MessageRecord> ContactScratch(std::string_view number);

}  // namespace zeph
