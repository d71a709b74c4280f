#include "cardservice/modem_mapping.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "cardservice/received_blocks.h"
#include "core/codecs/card_message_layout.h"
#include "core/util/cp1252.h"
#include "core/util/fixed_text.h"

namespace zeph::cardservice {
namespace cm = card_message;
namespace {

// 3GPP registration states in which the network takes short messages:
// home, roaming, their SMS-only forms and their CSFB-not-preferred forms.
bool Registered(int64_t registration) {
  switch (registration) {
    case 1:
    case 5:
    case 6:
    case 7:
    case 9:
    case 10:
      return true;
    default:
      return false;
  }
}

// `count` decimal digits at `at`, or -1.
int Digits(std::string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The zone that ends a time stamp, in minutes east of UTC: none when there
// is none (local time), false in `ok` when it cannot be read.
std::optional<int> ZoneMinutes(std::string_view zone, bool& ok) {
  ok = true;
  if (zone.empty()) return std::nullopt;
  if (zone == "Z") return 0;
  int hours = Digits(zone, 1, 2), minutes = -1;
  std::string_view rest = zone.size() >= 3 ? zone.substr(3) : std::string_view();
  if (rest.empty())
    minutes = 0;
  else if (rest.size() == 3 && rest[0] == ':')
    minutes = Digits(rest, 1, 2);
  else if (rest.size() == 2)
    minutes = Digits(rest, 0, 2);
  ok = (zone[0] == '+' || zone[0] == '-') && hours >= 0 && hours <= 14 && minutes >= 0 &&
       minutes < 60;
  if (!ok) return std::nullopt;
  return (zone[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

bool LeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

bool StartsVCard(std::string_view text) {
  constexpr std::string_view kBegin = "BEGIN:VCARD";
  size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos || text.size() - start < kBegin.size()) return false;
  return std::equal(
      kBegin.begin(), kBegin.end(), text.begin() + static_cast<ptrdiff_t>(start),
      [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); });
}

std::string_view AsText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// UCS-2, high byte first, to Windows-1252 (through UTF-8; surrogates become '?').
std::string Cp1252FromUcs2(std::span<const uint8_t> units) {
  std::string utf8;
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    char32_t c = static_cast<char32_t>(units[i] << 8 | units[i + 1]);
    if (c >= 0xD800 && c <= 0xDFFF) c = '?';
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | c >> 6));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xE0 | c >> 12));
      utf8.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return Cp1252FromUtf8(utf8);
}

}  // namespace

uint32_t ConnectionStateOf(const BusObject* modem) {
  const PropertyMap* core = modem ? InterfaceOf(*modem, mm::kModem) : nullptr;
  if (!core || !InterfaceOf(*modem, mm::kMessaging)) return kStateNone;
  int64_t state = IntProperty(*core, "State").value_or(0);
  if (state >= mm::kStateRegistered && state <= 11) return kStateGsm;
  if (state < mm::kStateEnabled) return kStateNone;  // failed, locked, disabled, in between
  const PropertyMap* gpp = InterfaceOf(*modem, mm::kModem3gpp);
  return gpp && Registered(IntProperty(*gpp, "RegistrationState").value_or(0)) ? kStateGsm
                                                                               : kStateNone;
}

std::optional<std::string> ChooseModem(const std::map<std::string, BusObject>& objects,
                                       std::string_view modemId) {
  const std::string* locked = nullptr;
  for (const auto& [path, object] : objects) {
    const PropertyMap* core = InterfaceOf(object, mm::kModem);
    if (!core) continue;
    if (!modemId.empty()) {
      if (TextProperty(*core, "EquipmentIdentifier") == modemId) return path;
    } else if (InterfaceOf(object, mm::kMessaging)) {
      return path;
    } else if (!locked) {
      locked = &path;
    }
  }
  return locked ? std::optional(*locked) : std::nullopt;
}

bool IsReceived(const PropertyMap& sms) {
  return IntProperty(sms, "State") == mm::kSmsReceived;
}

std::optional<std::tm> LocalTimeFromIso8601(std::string_view stamp) {
  if (stamp.size() < 19 || stamp[4] != '-' || stamp[7] != '-' ||
      (stamp[10] != 'T' && stamp[10] != ' ') || stamp[13] != ':' || stamp[16] != ':')
    return std::nullopt;
  int year = Digits(stamp, 0, 4), month = Digits(stamp, 5, 2), day = Digits(stamp, 8, 2);
  int hour = Digits(stamp, 11, 2), minute = Digits(stamp, 14, 2), second = Digits(stamp, 17, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
    return std::nullopt;
  size_t zoneAt = 19;
  if (zoneAt < stamp.size() && (stamp[zoneAt] == '.' || stamp[zoneAt] == ',')) {
    do ++zoneAt;
    while (zoneAt < stamp.size() && std::isdigit(static_cast<unsigned char>(stamp[zoneAt])));
  }
  bool ok = true;
  std::optional<int> zone = ZoneMinutes(stamp.substr(zoneAt), ok);
  if (!ok) return std::nullopt;
  std::tm given{};
  given.tm_year = year - 1900;
  given.tm_mon = month - 1;
  given.tm_mday = day;
  given.tm_hour = hour;
  given.tm_min = minute;
  given.tm_sec = second;
  given.tm_isdst = -1;
  std::time_t when = zone ? timegm(&given) - static_cast<std::time_t>(*zone) * 60 : mktime(&given);
  std::tm local{};
  if (!localtime_r(&when, &local) || local.tm_year + 1900 < 2000 || local.tm_year + 1900 > 2099)
    return std::nullopt;
  return local;
}

uint8_t ReportStatusOf(std::optional<int64_t> deliveryState) {
  if (!deliveryState || *deliveryState < 0) return cm::kReportFailed;
  if (*deliveryState < 0x20) return cm::kReportDelivered;
  return *deliveryState < 0x40 ? cm::kReportPending : cm::kReportFailed;
}

// ModemManager does not expose the reply-path bit or the protocol
// identifier of a received message, so the block carries neither; its
// class is not looked at either: a class-0 (flash) message is filed like
// any other.
std::vector<uint8_t> BlockFromSms(const PropertyMap& sms, const std::tm& now) {
  BlockHead head;
  head.serviceCentre = Cp1252FromUtf8(TextProperty(sms, "SMSC"));
  head.number = Cp1252FromUtf8(TextProperty(sms, "Number"));
  std::optional<std::tm> sent = LocalTimeFromIso8601(TextProperty(sms, "Timestamp"));
  if (IntProperty(sms, "PduType") == mm::kPduStatusReport) {
    head.kind = cm::kKindReport;
    head.reference = static_cast<uint8_t>(IntProperty(sms, "MessageReference").value_or(0) & 0xFF);
    head.reportStatus = ReportStatusOf(IntProperty(sms, "DeliveryState"));
    head.time =
        LocalTimeFromIso8601(TextProperty(sms, "DischargeTimestamp")).value_or(sent.value_or(now));
    return BuildReceivedBlock(head, {});
  }
  head.time = sent.value_or(now);
  std::string text = Cp1252FromUtf8(TextProperty(sms, "Text"));
  const auto* data = PropertyAs<std::vector<uint8_t>>(sms, "Data");
  if (text.empty() && data && !data->empty()) {
    if (auto picture = PictureDataFromAir(*data)) {
      head.kind = cm::kKindPicture;
      return BuildReceivedBlock(head, *picture);
    }
    head.kind = StartsVCard(AsText(*data)) ? cm::kKindBusinessCard : cm::kKindUnknownData;
    return BuildReceivedBlock(head, *data);
  }
  // A vCard sent as a text (as this service sends business cards) is one too.
  head.kind = StartsVCard(text) ? cm::kKindBusinessCard : cm::kKindText8;
  return BuildReceivedBlock(head,
                            std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::optional<std::vector<uint8_t>> PictureDataFromAir(std::span<const uint8_t> data) {
  constexpr uint8_t kVersion = '0', kLatin1Text = 0, kUcs2Text = 1, kBitmap = 2;
  if (data.empty() || data[0] != kVersion) return std::nullopt;
  std::string text;
  std::optional<PictureImage> picture;
  for (size_t at = 1; at < data.size();) {
    if (data.size() - at < 3) return std::nullopt;
    uint8_t type = data[at];
    size_t length = static_cast<size_t>(data[at + 1] << 8 | data[at + 2]);
    at += 3;
    if (data.size() - at < length) return std::nullopt;
    auto item = data.subspan(at, length);
    at += length;
    if (type == kLatin1Text) {
      text.assign(AsText(item));
    } else if (type == kUcs2Text) {
      text = Cp1252FromUcs2(item);
    } else if (type == kBitmap) {
      // Head: an info byte 0, width, height, depth 1; then the rows, first pixel in the top bit.
      if (length != 4 + kPictureBytes || item[0] != 0 || item[1] != kPictureWidth ||
          item[2] != kPictureHeight || item[3] != 1)
        return std::nullopt;
      picture.emplace();
      std::copy(item.begin() + 4, item.end(), picture->begin());
    }  // other items (a ringing tone) are passed over
  }
  if (!picture) return std::nullopt;
  return ReceivedPictureData(text, false, *picture);
}

// Validity: none given, so the network's default applies (the program has no setting for it).
// Class: none given, so every message is a normal one (never a flash message).
// Storage: none given, so ModemManager holds the message in memory until it is sent and deleted.
// Reply path and send option 3: ModemManager has no key for them, so they are dropped.
uint32_t CreateArgumentsFor(const SendRequest& request, const CentreSettings& centre,
                            const SendOptions& options, CreateArguments& arguments) {
  if (uint32_t refused = CheckSendRequest(request)) return refused;
  uint8_t kind = request.block[cm::kKindOffset];
  if (kind == cm::kKindPicture || kind == cm::kKindPicture16) return status::kNotWithModem;
  arguments.number = request.destination;
  arguments.text = Utf8FromCp1252(SentBlockText(request.block));
  std::string blockCentre =
      BoundedText(&request.block[cm::kServiceCentreOffset], cm::kNumberFieldSize);
  arguments.smsc = blockCentre.empty() ? centre.number : blockCentre;
  arguments.deliveryReport = options.deliveryReports != 0;
  return 0;
}

uint32_t StatusOfBusError(int errnoValue) {
  return status::kModemError + static_cast<uint32_t>(std::clamp(std::abs(errnoValue), 1, 0xFF));
}

}  // namespace zeph::cardservice
