#include "core/compose/chat_session.h"

#include <mutex>
#include <span>

#include "core/compose/chat_conversation.h"
#include "core/folders/contact_lookup.h"
#include "core/folders/outbox_queue.h"
#include "core/resources/string_table.h"
#include "core/util/atomic_file.h"
#include "core/util/mutex.h"

namespace zeph {
namespace {

bool HasContent(const MessageRecord& entry) {
  return (entry.flags & MRF_PICTURE) != 0 || entry.text.has_value();
}

}  // namespace

void StartConversation(MessageList& chat, const MessageRecord& seed) {
  static_cast<void>(chat.RemoveAll());  // always 1
  chat.Add(CopyMessageRecord(seed));
}

ChatOpening OpenConversation(MessageList& chat, const MessageList& inbox, LockedMessageList& sent,
                             const ContactList& contacts, const SettingsStore& settings,
                             const RecordTime& now) {
  ChatOpening opening;
  if (const MessageRecord* seed = chat.GetAt(0)) opening.partnerNumber = FirstNumber(*seed);
  opening.partnerName = ContactNameLookup(opening.partnerNumber, contacts);
  if (!settings.ReadSettingString(kAppSettingsSection, "", kOwnNameSetting, &opening.ownName,
                                  kOwnNameBufferSize)) {
    opening.ownName = std::string(LoadString(StringId::kOwnNameMissing));
  }

  int hours = 0;  // a missing setting reaches no hours back
  static_cast<void>(settings.ReadSettingInt(kAppSettingsSection, "", kChatHoursSetting, &hours));
  {
    ScopedLock hold(sent);
    AssembleConversation(inbox, sent, MatchKey(opening.partnerNumber), ChatCutoff(now, hours),
                         chat);
  }

  int onTop = 0;
  opening.onTop =
      settings.ReadSettingInt(kAppSettingsSection, "", kChatOnTopSetting, &onTop) && onTop != 0;
  const MessageRecord* first = chat.GetAt(0);
  opening.showsArrival =
      first != nullptr && HasContent(*first) && (first->flags & MRF_OUTGOING) == 0;
  return opening;
}

std::unique_ptr<MessageRecord> MakeChatMessage(std::string_view partnerNumber, std::string text,
                                               const std::optional<PictureImage>& picture,
                                               const RecordTime& now) {
  auto message = CreateMessageRecord();
  message->flags = MRF_OUTGOING;
  message->time = now;
  AddNumber(*message, partnerNumber);
  message->text = std::move(text);
  if (picture) {
    message->flags |= MRF_PICTURE;
    message->picture = *picture;
  }
  return message;
}

void QueueChatMessage(std::unique_ptr<MessageRecord> message, LockedMessageList& outbox,
                      const std::string& outboxPath, MessageList& chat) {
  message->flags |= MRF_WAITING;
  ScopedLock hold(outbox);
  const int index = QueueOutboxRecord(outbox, outboxPath, std::move(message));
  if (const MessageRecord* queued = outbox.GetAt(index)) chat.Add(CopyMessageRecord(*queued));
}

bool SaveConversation(const std::string& path, const MessageList& chat, std::string_view ownName,
                      std::string_view partnerName) {
  const std::string text = ChatTranscript(chat, ownName, partnerName);
  return WriteFileAtomically(path,
                             std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace zeph
