#pragma once
// Small builders for records and contacts in tests.

#include <memory>
#include <string>
#include <vector>

#include "core/store/app_lists.h"
#include "core/util/fixed_text.h"
#include "core/util/mutex.h"

namespace zeph::testing {

inline RecordTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  auto u16 = [](int value) { return static_cast<uint16_t>(value); };
  return {u16(year), u16(month), 0, u16(day), u16(hour), u16(minute), u16(second), 0};
}

inline std::unique_ptr<MessageRecord> Message(const std::string& number, const std::string& text,
                                              RecordTime time = {}, uint32_t flags = 0) {
  auto record = CreateMessageRecord();
  AddNumber(*record, number);
  record->text = text;
  record->time = time;
  record->flags = flags;
  return record;
}

inline std::unique_ptr<ContactEntry> Contact(const std::string& name, const std::string& number,
                                             uint16_t location = 1) {
  auto contact = std::make_unique<ContactEntry>();
  contact->location = location;
  SetFieldText(contact->name, name);
  SetFieldText(contact->number, number);
  return contact;
}

// A picture every byte of which is `value`.
inline PictureImage FilledPicture(uint8_t value) {
  PictureImage picture;
  picture.fill(value);
  return picture;
}

// A picture whose neighbouring bytes all differ.
inline PictureImage NumberedPicture() {
  PictureImage picture{};
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7 + 1);
  return picture;
}

// The texts of a list's records, in list order.
inline std::vector<std::string> TextsOf(const MessageList& list) {
  std::vector<std::string> texts;
  for (const MessageRecord& record : list) texts.push_back(TextOf(record));
  return texts;
}

// Reads of a guarded list from a test thread, under its lock.
inline int CountLocked(LockedMessageList& list) {
  ScopedLock hold(list);
  return list.Count();
}

// A copy of record `index` (null past the end), taken under the list's lock.
inline std::unique_ptr<MessageRecord> RecordLocked(LockedMessageList& list, int index) {
  ScopedLock hold(list);
  const MessageRecord* record = list.GetAt(index);
  return record ? CopyMessageRecord(*record) : nullptr;
}

}  // namespace zeph::testing
