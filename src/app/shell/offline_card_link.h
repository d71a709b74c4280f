#pragma once
// A card link with no card service behind it: every request fails with
// kOfflineResult. The program runs on it when the device link cannot be
// had, and tests use it for "no card service at all".

#include "shell/card_link.h"

namespace zeph {

inline constexpr uint32_t kOfflineResult = 1;

class OfflineCardLink final : public CardLink {
 public:
  void OpenPipes() override {}
  void ClosePipes() override {}
  uint32_t NotifyModuleSwitch() override { return kOfflineResult; }
  uint32_t ReadSimPhonebook(ContactList&) override { return kOfflineResult; }
  uint32_t ReadCentreNumber(std::string*) override { return kOfflineResult; }
};

}  // namespace zeph
