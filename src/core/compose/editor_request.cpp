#include "core/compose/editor_request.h"

namespace zeph {

std::unique_ptr<MessageRecord> ReplyScratch(const MessageRecord& source) {
  auto scratch = CreateMessageRecord();
  for (const NumberBlock& number : source.numbers) scratch->numbers.Add(number);
  scratch->flags = source.flags & ~MRF_PICTURE;
  scratch->serviceCentre = source.serviceCentre;
  return scratch;
}

std::unique_ptr<MessageRecord> ForwardScratch(const MessageRecord& source) {
  auto scratch = CreateMessageRecord();
  scratch->flags = source.flags;
  scratch->text = source.text;
  scratch->picture = source.picture;
  return scratch;
}

std::unique_ptr<MessageRecord> ContactScratch(std::string_view number) {
  auto scratch = CreateMessageRecord();
  AddNumber(*scratch, number);
  return scratch;
}

}  // namespace zeph
