#pragma once
// The message editor's rules, without its windows: what the editor starts
// from for a request, its recipients, the outgoing record, the marks on the
// message replied to or forwarded, and the queueing of one Outbox record per
// recipient. The editor runs the can-send check between marking and
// queueing; everything else is here.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/compose/editor_request.h"
#include "core/store/app_lists.h"

namespace zeph {

// A recipient of the editor: the name shown and the number used (the
// layout of a SIM contact: 24-byte fields, at most 23 characters each).
struct Recipient {
  std::string name;
  std::string number;
  bool operator==(const Recipient&) const = default;
};
using RecipientList = std::vector<Recipient>;

// Numbers typed into "Number:" are added with at least three characters,
// and at most 23 are kept.
inline constexpr size_t kTypedNumberMinimum = 3;
inline constexpr size_t kRecipientFieldLength = 23;

// What the editor opens with. Only a reply or a forward shows the
// request's text, picture and numbers; a new message starts empty.
struct EditorStart {
  EditorMode mode = EditorMode::kNew;
  SourceFolder folder = SourceFolder::kSent;
  int index = -1;
  // The request record's service centre, zero bytes without a record.
  ServiceCentre serviceCentre{};
  // The editor's own copy of the text, cut to 1064 units (160 without
  // long messages); the source stays whole.
  std::optional<std::string> text;
  // Only with long messages allowed and MRF_PICTURE on the record.
  std::optional<PictureImage> picture;
  RecipientList recipients;
};

// The editor's start for `request`, recipients named through the contacts'
// six-character lookup.
EditorStart PrepareEditor(const EditorRequest& request, bool longMessages,
                          const ContactList& contacts);

// The contacts' indices in the order Add Recipients lists them: by name,
// case ignored; equal names keep their SIM order.
std::vector<int> ContactsByName(const ContactList& contacts);

// The recipient for the contact at `index`, or none when there is none.
std::optional<Recipient> RecipientOfContact(const ContactList& contacts, int index);

// The recipient for a number typed into "Number:" (already filtered): none
// with fewer than three characters; the number cut to 23 is both the name
// and the number.
std::optional<Recipient> RecipientOfTypedNumber(std::string_view number);

// The outgoing record (flags 0, one number per recipient in order, the
// text, the picture with MRF_PICTURE), or none without a recipient.
std::unique_ptr<MessageRecord> BuildOutgoingRecord(const RecipientList& recipients,
                                                   std::string text,
                                                   const std::optional<PictureImage>& picture);

// Where the message came from, as the editor was opened.
struct ComposerSource {
  EditorMode mode = EditorMode::kNew;
  SourceFolder folder = SourceFolder::kSent;
  int index = -1;
};

// Before the can-send check: stamps `record` with `now`; for a reply or a
// forward marks the source (an Inbox message gains MRF_REPLIED or
// MRF_FORWARDED, a Sent message MRF_FORWARDED), gives a reply to an Inbox
// message that message's flags (MRF_PICTURE stays the reply's own), and
// saves the Inbox and Sent files; then sets MRF_OUTGOING. A source index
// that no longer names a record marks nothing.
void PrepareOutgoing(MessageRecord& record, const ComposerSource& source, const RecordTime& now,
                     AppLists& lists, const StorePaths& paths);

// After the can-send check: sets MRF_WAITING and the service centre, then
// appends one copy per number, each with that number alone and its own
// queue id (NewOutboxReference), each under the Outbox lock; saves the
// Outbox file once. Returns how many records were queued.
int QueueOutgoing(MessageRecord& record, const ServiceCentre& serviceCentre,
                  LockedMessageList& outbox, const std::string& outboxPath);

}  // namespace zeph
