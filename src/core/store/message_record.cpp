#include "core/store/message_record.h"

#include "core/util/fixed_text.h"

namespace zeph {

std::unique_ptr<MessageRecord> CreateMessageRecord() {
  return std::make_unique<MessageRecord>();
}

std::unique_ptr<MessageRecord> CopyMessageRecord(const MessageRecord& source) {
  auto copy = CreateMessageRecord();
  copy->time = source.time;
  copy->flags = source.flags;
  copy->reference = source.reference;
  copy->serviceCentre = source.serviceCentre;
  for (const NumberBlock& number : source.numbers) copy->numbers.Add(number);
  if (source.text) {
    const std::string& text = *source.text;
    copy->text = text.size() > kCopyTextLimit ? text.substr(0, kCopyTextLimit - 1) : text;
  }
  if ((source.flags & MRF_PICTURE) && source.picture) copy->picture = source.picture;
  return copy;
}

void AddNumber(MessageRecord& record, std::string_view number) {
  record.numbers.Add(MakeField<kNumberBlockSize>(number));
}

std::string FirstNumber(const MessageRecord& record) {
  const NumberBlock* first = record.numbers.GetAt(0);
  return first ? FieldText(*first) : std::string();
}

}  // namespace zeph
