#pragma once
// The emulated card behind the server: every request is answered at once
// from the card model; its faults reach the server.

#include "cardservice/card_backend.h"
#include "cardservice/card_model.h"

namespace zeph::cardservice {

class EmulatorBackend final : public CardBackend {
 public:
  explicit EmulatorBackend(CardModel& card) : card_(card) {}

  std::optional<Reply> Answer(uint64_t ticket, std::span<const uint8_t> request,
                              uint64_t nowMs) override;
  std::string Control(std::string_view line, uint64_t nowMs) override;
  std::optional<uint64_t> NextDue() const override { return card_.NextDue(); }
  void Advance(uint64_t nowMs, std::span<const pollfd>) override { card_.Advance(nowMs); }
  int TakeArrivals() override { return card_.TakeArrivals(); }
  CardModel& state() override { return card_; }
  Faults* faults() override { return &card_.faults; }

 private:
  CardModel& card_;
};

}  // namespace zeph::cardservice
