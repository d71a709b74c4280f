#pragma once
// What ModemManager's objects mean to the card service's requests, with no
// bus in sight: the connection state of a modem, which object is the modem,
// the message block of a received message or status report, and the
// arguments of a send. Every function takes hostile input (a property
// missing or of the wrong type, an absurd time stamp, 100 kB of text) and
// gives a defined result.

#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cardservice/card_model.h"
#include "cardservice/modem_properties.h"

namespace zeph::cardservice {

namespace mm {
inline constexpr const char* kService = "org.freedesktop.ModemManager1";
inline constexpr const char* kRootPath = "/org/freedesktop/ModemManager1";
inline constexpr const char* kModem = "org.freedesktop.ModemManager1.Modem";
inline constexpr const char* kModem3gpp = "org.freedesktop.ModemManager1.Modem.Modem3gpp";
inline constexpr const char* kMessaging = "org.freedesktop.ModemManager1.Modem.Messaging";
inline constexpr const char* kSms = "org.freedesktop.ModemManager1.Sms";

// Modem.State
inline constexpr int64_t kStateLocked = 2;
inline constexpr int64_t kStateEnabled = 6;
inline constexpr int64_t kStateRegistered = 8;  // and above: connecting, connected
// Sms.State and Sms.PduType
inline constexpr int64_t kSmsReceiving = 2;
inline constexpr int64_t kSmsReceived = 3;
inline constexpr int64_t kPduStatusReport = 3;
}  // namespace mm

// The connection state parameter 0x5001 for `modem` (none: no modem): GSM
// registered (0x202, which the can-send check accepts) when Modem.State is
// registered or beyond, or when an enabled modem's 3GPP registration is
// home or roaming (the SMS-only and CSFB forms included); else 0 (failed,
// locked, disabled, searching, no Messaging interface).
uint32_t ConnectionStateOf(const BusObject* modem);

// The modem among ModemManager's objects: the one whose EquipmentIdentifier
// is `modemId` when one is given; else the first by path with the
// Messaging interface, else the first with the Modem interface (a locked
// or disabled modem, which reads as no connection). None: no modem.
std::optional<std::string> ChooseModem(const std::map<std::string, BusObject>& objects,
                                       std::string_view modemId);

// Only a message in state RECEIVED counts: one still RECEIVING lacks parts.
bool IsReceived(const PropertyMap& sms);

// An ISO 8601 time stamp ("2024-05-06T12:34:56+02"; the zone as Z, +hh,
// +hh:mm or +hhmm; fractions of a second skipped; without a zone the time
// is taken as local) in local time. None when it cannot be read, names an
// impossible date or time, or lies outside 2000 to 2099, the years the
// block's time stamp holds.
std::optional<std::tm> LocalTimeFromIso8601(std::string_view stamp);

// A status report's DeliveryState (the TP-Status value) as the report
// status of a block: delivered below 0x20, pending from 0x20 to 0x3F,
// failed above (ModemManager's 0x100 "unknown" included) and when missing.
uint8_t ReportStatusOf(std::optional<int64_t> deliveryState);

// The block 0x290007 hands out for the received message `sms`: a status
// report (PduType 3) as a delivery report (kind 6) with its reference
// (MessageReference & 0xFF), recipient and DischargeTimestamp; data that is
// a picture message as a picture message (kind 3), a vCard, in data or as
// the text, as a business card (kind 5), other data as the unknown kind
// (255); any other text as an 8-bit text in Windows-1252 (a character it
// cannot hold becomes '?'). `now` stands in for a missing or absurd time
// stamp. Data past the block's 65 535 bytes is cut.
std::vector<uint8_t> BlockFromSms(const PropertyMap& sms, const std::tm& now);

// The picture payload (kind 3) of a picture message as it travels on the
// air without its port header: a version byte '0', then items of a type
// byte, a big-endian u16 length and the data (0: a Latin-1 text, 1: a
// UCS-2 text, 2: a 72 x 28 one-bit bitmap after its four-byte head). None
// when `data` is not such a message or its bitmap is of another size.
std::optional<std::vector<uint8_t>> PictureDataFromAir(std::span<const uint8_t> data);

// What Messaging.Create is given for a send.
struct CreateArguments {
  std::string number;
  std::string text;  // UTF-8
  std::string smsc;  // empty: not given, the modem uses the SIM's centre
  bool deliveryReport = false;
};

// 0 and the arguments for `request`, else the status the send is refused
// with: a picture message (kind 3 or 7) is refused with kNotWithModem, for
// ModemManager cannot send the port-addressed 8-bit message it needs.
// Texts and business cards go as their text, Windows-1252 turned into
// UTF-8; the centre is the block's, else `centre`.
uint32_t CreateArgumentsFor(const SendRequest& request, const CentreSettings& centre,
                            const SendOptions& options, CreateArguments& arguments);

// The status a failed bus call gives the program: kModemError plus the
// errno sd-bus maps the D-Bus error to (at most 0xFF), never 0.
uint32_t StatusOfBusError(int errnoValue);

}  // namespace zeph::cardservice
