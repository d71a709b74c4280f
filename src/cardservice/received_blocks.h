#pragma once
// CardMessage blocks as the emulated card stores them for the program to
// read (codecs/card_message_layout.h has the layout), and the reading of
// blocks the program sends.

#include <array>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/codecs/card_message_layout.h"
#include "core/store/picture_image.h"

namespace zeph::cardservice {

// The head of a received block. Numbers are cut to 22 characters.
struct BlockHead {
  uint8_t status = card_message::kStatusReceived;
  uint8_t kind = card_message::kKindText8;
  uint8_t reference = 0;
  uint8_t firstOctet = 0;
  uint8_t protocolId = 0;
  uint8_t reportStatus = 0;
  std::string serviceCentre;
  std::string number;  // the sender; in a delivery report the reported message's recipient
  std::tm time{};      // local time; only year 2000 to 2099 fits the stamp
};

// The 62-byte head followed by `data` (at most 65 535 bytes; longer data is cut).
std::vector<uint8_t> BuildReceivedBlock(const BlockHead& head, std::span<const uint8_t> data);

// Year (from 2000), month, day, hour, minute, second, each as two decimal
// digits with the tens in the low nibble and the units in the high one:
// 12 is stored as 0x21.
std::array<uint8_t, card_message::kTimeStampSize> EncodeTimeStamp(const std::tm& time);
std::tm LocalTimeNow();

// A picture payload as a card delivers it: text length (terminator
// included), width 72, height 28, the text and its terminator, 252 bytes of
// rows. `wide`: the text is 16-bit, high byte first, two bytes a character.
std::vector<uint8_t> ReceivedPictureData(std::string_view text, bool wide,
                                         const PictureImage& picture);

// UTF-8 to 16-bit characters, high byte first (the coding of kinds 0 and
// 7). Characters beyond the 16-bit range and bad sequences become '?'.
std::vector<uint8_t> WideFromUtf8(std::string_view utf8);
// Windows-1252 bytes widened the same way (each byte's own code point for
// the Latin-1 range, the Windows-1252 meaning above).
std::vector<uint8_t> WideFromCp1252(std::string_view cp1252);

// The text a sent block carries, as 8-bit characters: the data of kinds 1,
// 4 and 5; the low bytes of kind 0; the picture payload's text of kinds 3
// and 7. Never reads past `block`.
std::string SentBlockText(std::span<const uint8_t> block);

}  // namespace zeph::cardservice
