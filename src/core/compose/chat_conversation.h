#pragma once
// Assembling and saving a chat conversation with one partner.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/store/app_lists.h"

namespace zeph {

// The chat window's caption field shows the partner as "Name <number>".
std::string ChatCaption(std::string_view partnerName, std::string_view partnerNumber);

// The moment before which stored messages are left out of a new chat: `now`
// less `hours` hours (hours as stored in "ChatSMSs", never negative).
int64_t ChatCutoff(const RecordTime& now, int hours);

// Fills the conversation in `chat`, whose first entry is the seed record
// that opened the chat. Every Inbox record later than `cutoff` whose number
// contains `key`, in Inbox order, is appended, each preceded by the Sent
// messages records of the partner that lie strictly between the previous
// appended Inbox record (or the cut-off) and it; then the partner's Sent
// messages after the last of them. When anything was appended the seed is
// removed. All time comparisons are strict. Entries are copies.
void AssembleConversation(const MessageList& inbox, const MessageList& sent, std::string_view key,
                          int64_t cutoff, MessageList& chat);

// A conversation saved as text: for each entry the speaker (own name for the
// user's messages, else the partner name) and " says:", then two blanks and
// the text when there is one, then two blanks and the date and time, then an
// empty line. Line breaks are CR LF.
std::string ChatTranscript(const MessageList& chat, std::string_view ownName,
                           std::string_view partnerName);

}  // namespace zeph
