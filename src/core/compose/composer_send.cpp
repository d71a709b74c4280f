#include "core/compose/composer_send.h"

#include <algorithm>
#include <mutex>
#include <numeric>

#include "core/codecs/gsm_text.h"
#include "core/folders/contact_lookup.h"
#include "core/folders/outbox_queue.h"
#include "core/folders/sort_order.h"
#include "core/store/message_file.h"
#include "core/util/fixed_text.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

std::string Field(std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), kRecipientFieldLength)));
}

}  // namespace

EditorStart PrepareEditor(const EditorRequest& request, bool longMessages,
                          const ContactList& contacts) {
  EditorStart start;
  start.mode = request.mode;
  start.folder = request.folder;
  start.index = request.index;
  const MessageRecord* record = request.record;
  if (record == nullptr) return start;
  start.serviceCentre = record->serviceCentre;
  if (request.mode == EditorMode::kNew) return start;

  if (record->text) {
    start.text = *record->text;
    CutToUnits(*start.text, longMessages ? kLongMessageLimit : kSingleMessageLimit);
  }
  // Without long messages a picture message cannot be sent: the forward
  // goes on as text alone.
  if (longMessages && (record->flags & MRF_PICTURE) && record->picture) {
    start.picture = record->picture;
  }
  for (const NumberBlock& block : record->numbers) {
    const std::string number = FieldText(block);
    start.recipients.push_back({Field(ContactNameLookup(number, contacts)), number});
  }
  return start;
}

std::vector<int> ContactsByName(const ContactList& contacts) {
  std::vector<int> order(static_cast<size_t>(contacts.Count()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&contacts](int a, int b) {
    return CompareContacts(*contacts.GetAt(a), *contacts.GetAt(b), kSortNameAscending) < 0;
  });
  return order;
}

std::optional<Recipient> RecipientOfContact(const ContactList& contacts, int index) {
  const ContactEntry* contact = contacts.GetAt(index);
  if (contact == nullptr) return std::nullopt;
  return Recipient{FieldText(contact->name), FieldText(contact->number)};
}

std::optional<Recipient> RecipientOfTypedNumber(std::string_view number) {
  if (number.size() < kTypedNumberMinimum) return std::nullopt;
  return Recipient{Field(number), Field(number)};
}

std::unique_ptr<MessageRecord> BuildOutgoingRecord(const RecipientList& recipients,
                                                   std::string text,
                                                   const std::optional<PictureImage>& picture) {
  if (recipients.empty()) return nullptr;
  auto record = CreateMessageRecord();
  for (const Recipient& recipient : recipients) AddNumber(*record, recipient.number);
  record->text = std::move(text);
  if (picture) {
    record->flags |= MRF_PICTURE;
    record->picture = picture;
  }
  return record;
}

void PrepareOutgoing(MessageRecord& record, const ComposerSource& source, const RecordTime& now,
                     AppLists& lists, const StorePaths& paths) {
  record.time = now;
  if (source.mode != EditorMode::kNew) {
    ScopedLock holdSent(lists.sent);
    if (source.folder == SourceFolder::kInbox) {
      if (MessageRecord* original = lists.inbox.GetAt(source.index)) {
        if (source.mode == EditorMode::kReply) {
          original->flags |= MRF_REPLIED;
          // A reply keeps the reply path and the other flags of the message
          // it answers; whether it carries a picture is its own.
          record.flags = (original->flags & ~MRF_PICTURE) | (record.flags & MRF_PICTURE);
        } else {
          original->flags |= MRF_FORWARDED;
        }
      }
    }
    // A file that cannot be written keeps its previous content; the marks
    // stay in the lists and go to disk with the folder's next save.
    static_cast<void>(SaveMessageFile(paths.inbox, lists.inbox));
    if (source.folder == SourceFolder::kSent && source.mode == EditorMode::kForward) {
      if (MessageRecord* original = lists.sent.GetAt(source.index)) {
        original->flags |= MRF_FORWARDED;
      }
    }
    static_cast<void>(SaveMessageFile(paths.sent, lists.sent));
  }
  record.flags |= MRF_OUTGOING;
}

int QueueOutgoing(MessageRecord& record, const ServiceCentre& serviceCentre,
                  LockedMessageList& outbox, const std::string& outboxPath) {
  record.flags |= MRF_WAITING;
  record.serviceCentre = serviceCentre;
  int queued = 0;
  for (const NumberBlock& number : record.numbers) {
    ScopedLock hold(outbox);
    record.reference = NewOutboxReference(outbox);
    auto copy = CopyMessageRecord(record);
    copy->numbers.RemoveAll();
    copy->numbers.Add(number);
    outbox.Add(std::move(copy));
    ++queued;
  }
  ScopedLock hold(outbox);
  // A failed save leaves the previous file whole; the records are queued in
  // the list all the same and the send thread's next save writes them.
  static_cast<void>(SaveMessageFile(outboxPath, outbox));
  return queued;
}

}  // namespace zeph
