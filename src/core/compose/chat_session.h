#pragma once
// The chat window's rules apart from its widgets: how a conversation
// starts and what the window reads when it opens, the record it queues
// when the user sends, and the text file it saves. The assembly and the
// transcript themselves are in chat_conversation.h.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings_store.h"
#include "core/store/app_lists.h"

namespace zeph {

// Empties the conversation and puts a copy of `seed` into it: how every
// module opens the chat.
void StartConversation(MessageList& chat, const MessageRecord& seed);

// What the window shows besides the conversation, read once when it opens.
struct ChatOpening {
  std::string partnerNumber;  // the seed's first number (at most 23 characters)
  std::string partnerName;    // the first contact holding its match key, else the number
  std::string ownName;        // "OwnName", or "Own Name" when it is missing
  bool onTop = false;         // "ChatOnTop" present and non-zero
  // The conversation opens on a message from the partner (not the user's,
  // and with a text or a picture): the window says when it arrived.
  bool showsArrival = false;
};

// Opens the conversation in `chat`, whose first entry is the seed: works
// out the partner from it, reads the three chat settings ("ChatSMSs" is 0
// when missing, which leaves the seed alone) and assembles the partner's
// messages from the Inbox and Sent messages of the last "ChatSMSs" hours
// before `now`. Sent messages are read under their lock, since the send
// thread appends to them.
ChatOpening OpenConversation(MessageList& chat, const MessageList& inbox, LockedMessageList& sent,
                             const ContactList& contacts, const SettingsStore& settings,
                             const RecordTime& now);

// The user's chat message to `partnerNumber`: written now, outgoing, with
// the picture (and MRF_PICTURE) when there is one. Not yet queued.
std::unique_ptr<MessageRecord> MakeChatMessage(std::string_view partnerNumber, std::string text,
                                               const std::optional<PictureImage>& picture,
                                               const RecordTime& now);

// Marks `message` waiting, gives it the next queue id, appends it to the
// Outbox and saves the Outbox file, all under the Outbox lock; the record
// as queued is copied into the conversation before the lock is let go,
// since the send thread may take it from the Outbox at once.
void QueueChatMessage(std::unique_ptr<MessageRecord> message, LockedMessageList& outbox,
                      const std::string& outboxPath, MessageList& chat);

// Saves the conversation as text (ChatTranscript) to `path`, replacing the
// file there. A file that cannot be written leaves nothing behind, neither
// a cut file nor a temporary one, and the old file whole; the result is
// then false.
bool SaveConversation(const std::string& path, const MessageList& chat, std::string_view ownName,
                      std::string_view partnerName);

}  // namespace zeph
