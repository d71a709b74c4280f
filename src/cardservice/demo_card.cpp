#include "cardservice/demo_card.h"

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"

namespace zeph::cardservice {
namespace cm = card_message;
namespace {

void SetPixel(PictureImage& picture, int x, int y) {
  if (x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight) return;
  int n = y * kPictureWidth + x;
  picture[static_cast<size_t>(n / 8)] |= static_cast<uint8_t>(0x80 >> (n % 8));
}

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace

PictureImage DemoPicture() {
  PictureImage picture{};
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      int dx = x - 14, dy = y - 14;
      int d2 = dx * dx + dy * dy;
      bool ring = d2 >= 11 * 11 && d2 <= 13 * 13;
      bool eye = (dx + 5) * (dx + 5) + (dy + 4) * (dy + 4) <= 4 ||
                 (dx - 5) * (dx - 5) + (dy + 4) * (dy + 4) <= 4;
      bool smile = dy >= 3 && d2 >= 6 * 6 && d2 <= 8 * 8;
      // The heart: two circles over a triangle, centred at x = 52.
      int hx = x - 52, hy = y - 10;
      bool lobes = (hx + 6) * (hx + 6) + hy * hy <= 36 || (hx - 6) * (hx - 6) + hy * hy <= 36;
      bool point = hy >= 0 && hy <= 14 && (hx < 0 ? -hx : hx) <= 12 - (hy * 12) / 14;
      if (ring || eye || smile || lobes || point) SetPixel(picture, x, y);
    }
  }
  return picture;
}

void FillDemoCard(CardModel& card) {
  card.phonebook.clear();
  const char* contacts[][2] = {
      {"Anna Berg", "+15550101"},        {"Ben Okafor", "+15550102"},
      {"Clara Jim\xE9nez", "+15550103"}, {"David Lund", "+15550104"},
      {"Eva Novak", "+15550105"},        {"Farid Haddad", "+15550106"},
      {"Grete M\xFCller", "+15550107"},  {"Hiro Tanaka", "+15550108"},
  };
  for (auto& contact : contacts) card.AddEntry(contact[0], contact[1]);

  while (card.StoredCount() > 0) {
    for (size_t i = 0; i < kStoreSlots; ++i) card.DeleteSlot(i);
  }
  BlockHead head;
  head.serviceCentre = card.centre.number;
  head.time = LocalTimeNow();

  head.number = "+15550101";
  card.Arrive(BuildReceivedBlock(head, Bytes("See you at eight at the station?")));

  head.number = "+15550104";
  card.Arrive(BuildReceivedBlock(
      head, Bytes("Thanks for the notes from Tuesday. I went through all of them on the train "
                  "and I think the plan holds: we start with the small room on the first "
                  "floor, move the shelves over the weekend and paint on Monday. If the "
                  "paint is not there by Friday we can still borrow some from Eva, she has "
                  "two tins left over from her kitchen. Call me when you have a minute.")));

  head.number = "+15550107";
  head.kind = cm::kKindPicture;
  card.Arrive(
      BuildReceivedBlock(head, ReceivedPictureData("Happy birthday!", false, DemoPicture())));
  card.TakeArrivals();
}

}  // namespace zeph::cardservice
