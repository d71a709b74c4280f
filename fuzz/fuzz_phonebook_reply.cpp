// A phonebook reply of any content. Short inputs are tried as they are (the
// walk must refuse them); every input is also laid over a full-size reply,
// so that the count and the entries themselves are what varies.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/devicelink/phonebook_reply.h"
#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"
#include "core/util/fixed_text.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckContacts(const zeph::ContactList& contacts, std::span<const uint8_t> reply) {
  using namespace zeph;
  const size_t announced = ReadU16(reply.data() + wire::kPhonebookCountOffset);
  FUZZ_CHECK(static_cast<size_t>(contacts.Count()) == std::min(announced, wire::kPhonebookSlots));
  for (const ContactEntry& contact : contacts) {
    FUZZ_CHECK(std::memchr(contact.name.data(), 0, contact.name.size()) != nullptr);
    FUZZ_CHECK(FieldText(contact.name).size() <= 20);
    FUZZ_CHECK(FieldText(contact.number).size() <= 22);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zeph;
  ContactList contacts;
  std::span<const uint8_t> raw(data, size);
  const uint32_t rawResult = ParsePhonebookReply(raw, contacts);
  if (size < wire::kPhonebookReplyLength) {
    FUZZ_CHECK(rawResult != 0 && contacts.Count() == 0);
  } else if (rawResult == 0) {
    CheckContacts(contacts, raw);
  }

  std::vector<uint8_t> full(wire::kPhonebookReplyLength, 0);
  std::copy_n(data, std::min(size, full.size()), full.begin());
  ContactList laid;
  FUZZ_CHECK(ParsePhonebookReply(full, laid) == 0);
  CheckContacts(laid, full);
  return 0;
}
