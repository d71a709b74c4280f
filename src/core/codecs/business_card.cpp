#include "core/codecs/business_card.h"

#include <algorithm>

#include "core/codecs/text_decoders.h"
#include "core/util/fixed_text.h"

namespace zeph {
namespace {

constexpr auto npos = std::string_view::npos;

// Searches start this far into the text: the lengths of
// "BEGIN:VCARD\r\nVERSION:2.1" and of "BEGIN:VCARD". The text itself is not
// compared with them.
constexpr size_t kStartWithVersion = 24;
constexpr size_t kStartWithoutVersion = 11;

// UTF-8 names are decoded into at most this many UCS-2 characters.
constexpr size_t kUtf8DecodeCharacters = 256;

// Every value is stored with SetFieldText, which cuts it to 63 characters:
// a field always keeps its terminator, so a name or number of 64 characters
// or more is cut rather than refused.

// The text from `from` up to the next CR; a value not ended by CR runs to
// the end of the text.
std::string_view UpToCr(std::string_view text, size_t from) {
  if (from >= text.size()) return {};
  size_t cr = text.find('\r', from);
  return text.substr(from, (cr == npos ? text.size() : cr) - from);
}

// FN values are taken as they are, cut at the first CR. An FN line without
// a colon after it leaves the name empty (the card still offers its numbers).
void ParseFnLine(std::string_view text, size_t line, BusinessCardFields& card) {
  size_t colon = text.find(':', line);
  if (colon == npos) return;
  SetFieldText(card.names[0], UpToCr(text, colon + 1));
}

// One N component, at most 63 bytes of it, decoded as the line's parameters
// say.
void StoreNameComponent(std::string_view raw, bool quotedPrintable, bool utf8, CardField& out) {
  CardField buffer{};
  SetFieldText(buffer, raw);
  if (quotedPrintable) {
    CardField decoded{};
    DecodeQuotedPrintable(FieldText(buffer), decoded);
    buffer = decoded;
  }
  if (utf8) {
    std::array<char16_t, kUtf8DecodeCharacters> wide{};
    // A component that is not valid UTF-8 is kept as its bytes, undecoded:
    // the user still sees the name and can correct it before saving.
    if (DecodeUtf8(FieldText(buffer), wide) == 1) {
      std::string latin1;
      for (char16_t c : wide) {
        if (c == 0) break;
        // ISO-8859-1 holds only the characters below 256; others show as '?'.
        latin1.push_back(c < 256 ? static_cast<char>(c) : '?');
      }
      SetFieldText(buffer, latin1);
    }
  }
  out = buffer;
}

void ParseNLine(std::string_view text, size_t line, BusinessCardFields& card) {
  size_t colon = text.find(':', line);
  // An N line without a colon has no components: the name stays empty.
  if (colon == npos) return;
  std::string_view parameters = text.substr(line, colon - line);
  const bool utf8 = parameters.find("UTF-8") != npos;
  const bool quotedPrintable = parameters.find("ENCODING=QUOTED-PRINTABLE") != npos;

  size_t pos = colon + 1;
  for (CardField& component : card.names) {
    // The end of the text ends the components as a line break does.
    if (pos >= text.size() || text[pos] == '\r' || text[pos] == '\n') break;
    size_t cr = text.find('\r', pos);
    size_t semicolon = text.find(';', pos);
    size_t end = semicolon != npos && (cr == npos || semicolon < cr) ? semicolon : cr;
    if (end == npos) end = text.size();
    StoreNameComponent(text.substr(pos, end - pos), quotedPrintable, utf8, component);
    pos = end + 1;
  }
}

// Every "TEL", also inside another word and whatever parameters follow it;
// the value runs from the first colon after it to the next CR. Only the
// first ten values are kept: the card has ten slots.
void ParseNumbers(std::string_view text, size_t start, BusinessCardFields& card) {
  size_t pos = start;
  for (CardField& slot : card.numbers) {
    size_t tel = text.find("TEL", pos);
    if (tel == npos) break;
    size_t colon = text.find(':', tel);
    if (colon == npos) break;
    std::string_view value = UpToCr(text, colon + 1);
    SetFieldText(slot, value);
    pos = colon + 1 + value.size();
    if (pos >= text.size()) break;
  }
}

}  // namespace

std::string BuildBusinessCard(std::string_view name, std::string_view number) {
  std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ISO-8859-1:";
  card.append(name);
  card.append("\r\nTEL:");
  card.append(number);
  card.append("\r\nEND:VCARD\r\n");
  return card;
}

std::optional<BusinessCardFields> ParseBusinessCardText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  // A text shorter than the start position has nothing to search: the
  // searches below find nothing past its end, so it gives no card.
  size_t start = text.find("VERSION") != npos ? kStartWithVersion : kStartWithoutVersion;
  start = std::min(start, text.size());

  BusinessCardFields card{};
  if (size_t fn = text.find("\r\nFN", start); fn != npos) {
    ParseFnLine(text, fn, card);
  } else if (size_t n = text.find("\r\nN", start); n != npos) {
    ParseNLine(text, n, card);
  } else {
    return std::nullopt;
  }
  ParseNumbers(text, start, card);
  return card;
}

}  // namespace zeph
