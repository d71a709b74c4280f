#pragma once
// A real modem behind the card service, through ModemManager on the system
// bus (modem_link.h). The program's requests keep their meaning:
//   0x5001 the modem's connection state (modem_mapping.h), 0x510C always 1
//     (ModemManager cuts long texts itself);
//   0x290000 Messaging.Create, Sms.Send, the reference read, the object
//     deleted; held until ModemManager answers, so a send that takes
//     seconds holds up no other connection;
//   0x290009 / 0x290007 / 0x290008 over the modem's received messages: a
//     count lists them again (held for that call), a read answers from
//     what is known, a delete calls Messaging.Delete (held);
//   0x2A0007 the number the user set (0x2A0008, zeph-cardctl own-number),
//     else the modem's first own number.
// ModemManager keeps no message-centre number, send options or phonebook:
// the service keeps them in its state file (the `kept` card model), and
// every other request is answered from there as the emulator would.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cardservice/card_backend.h"
#include "cardservice/card_model.h"
#include "cardservice/modem_link.h"

namespace zeph::cardservice {

class ModemBackend final : public CardBackend {
 public:
  struct Options {
    std::string modemId;  // EquipmentIdentifier of the modem to use; empty: the first
    bool verbose = false;
  };

  // `kept` holds what the service keeps for a modem; it outlives the backend.
  ModemBackend(CardModel& kept, Options options);

  std::optional<Reply> Answer(uint64_t ticket, std::span<const uint8_t> request,
                              uint64_t nowMs) override;
  std::string Control(std::string_view line, uint64_t nowMs) override;
  void AddPollFds(std::vector<pollfd>& fds) const override { link_.AddPollFds(fds); }
  std::optional<uint64_t> NextDue() const override { return link_.NextDue(); }
  void Advance(uint64_t nowMs, std::span<const pollfd> ownFds) override {
    link_.Advance(nowMs, ownFds);
  }
  int TakeArrivals() override { return std::exchange(arrivals_, 0); }
  CardModel& state() override { return kept_; }

 private:
  std::optional<Reply> StartSend(uint64_t ticket, std::span<const uint8_t> request);
  void OnCreated(uint64_t ticket, const BusReply& reply);
  void OnSent(uint64_t ticket, const std::string& sms, const BusReply& reply);
  std::optional<Reply> StartCount(uint64_t ticket);
  Reply Counts();
  Reply ReadSlot(size_t slot);
  std::optional<Reply> StartDelete(uint64_t ticket, size_t slot);
  Reply OwnNumber() const;
  Reply CardInfo() const;
  std::string Show() const;
  void Hold(uint64_t ticket, Reply fallback) { held_[ticket] = std::move(fallback); }
  void Finish(uint64_t ticket, Reply reply);
  void DeleteSms(const std::string& sms);

  CardModel& kept_;
  ModemLink link_;
  // Held requests by ticket, each with the reply it gets should the modem
  // go away before ModemManager answers.
  std::map<uint64_t, Reply> held_;
  std::vector<std::string> slots_;  // the received messages of the last count, by slot
  std::set<std::string> read_;      // messages handed out by a read since they came
  int arrivals_ = 0;
};

}  // namespace zeph::cardservice
