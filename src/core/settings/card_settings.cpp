#include "core/settings/card_settings.h"

#include <array>

#include "core/devicelink/wire_layout.h"
#include "core/util/byte_order.h"

namespace zeph {

CardSettingsResult ReadCardSettings(Pipe& pipe, CardSettings& settings) {
  CardSettings read;
  if (uint32_t result = ReadCentreSettings(pipe, read.centre))
    return {result, CardSettingPart::kCentre};
  if (uint32_t result = ReadSendOptions(pipe, read.sendOptions))
    return {result, CardSettingPart::kSendOptions};
  // A card that does not know the parameter allows long messages, as the
  // editor assumes; only a lost service counts as a failure here.
  read.longMessages = ReadLongMessageFlag(pipe) != 0;
  if (uint32_t result = ReadSimText(pipe, read.ownNumber))
    return {result, CardSettingPart::kOwnNumber};
  settings = std::move(read);
  return {};
}

CardSettingsResult WriteCardSettings(Pipe& pipe, CardSettings& current,
                                     const CardSettings& wanted) {
  if (wanted.centre.number != current.centre.number) {
    CentreSettings centre = current.centre;
    centre.number = wanted.centre.number;
    if (uint32_t result = WriteCentreSettings(pipe, centre))
      return {result, CardSettingPart::kCentre};
    current.centre = centre;
  }
  if (!(wanted.sendOptions == current.sendOptions)) {
    if (uint32_t result = WriteSendOptions(pipe, wanted.sendOptions))
      return {result, CardSettingPart::kSendOptions};
    current.sendOptions = wanted.sendOptions;
  }
  if (wanted.longMessages != current.longMessages) {
    if (uint32_t result = WriteCardParamU8(pipe, wire::kParamLongMessages, wanted.longMessages))
      return {result, CardSettingPart::kLongMessages};
    current.longMessages = wanted.longMessages;
  }
  if (wanted.ownNumber != current.ownNumber) {
    if (uint32_t result = WriteSimText(pipe, wanted.ownNumber))
      return {result, CardSettingPart::kOwnNumber};
    current.ownNumber = wanted.ownNumber;
  }
  return {};
}

uint32_t ReadSimUsage(Pipe& pipe, SimUsage& usage) {
  ContactList entries;
  if (uint32_t result = ReadPhonebook(pipe, entries)) return result;
  std::array<uint8_t, wire::kLimitsReplyLength> limits{};
  if (uint32_t result = ReadPhonebookLimits(pipe, limits)) return result;
  usage.used = static_cast<size_t>(entries.Count());
  usage.capacity = ReadU32(&limits[wire::kLimitsFirstOffset]);
  usage.nameLimit = NameLimitOf(limits);
  return kResultOk;
}

ConnectionKind ConnectionKindOf(uint32_t connectionState) {
  uint32_t type = connectionState & wire::kConnectionTypeMask;
  if (connectionState == 0) return ConnectionKind::kNone;
  if (type != wire::kConnectionGsm && type != wire::kConnectionGprs) return ConnectionKind::kOther;
  if (!ConnectionAllowsSending(connectionState)) return ConnectionKind::kSearching;
  return type == wire::kConnectionGsm ? ConnectionKind::kGsm : ConnectionKind::kGprs;
}

}  // namespace zeph
