#include "cardservice/emulator_backend.h"

#include "cardservice/control_commands.h"
#include "cardservice/request_handler.h"

namespace zeph::cardservice {

std::optional<CardBackend::Reply> EmulatorBackend::Answer(uint64_t,
                                                          std::span<const uint8_t> request,
                                                          uint64_t nowMs) {
  return AnswerRequest(card_, request, nowMs);
}

std::string EmulatorBackend::Control(std::string_view line, uint64_t nowMs) {
  return RunControlCommand(card_, line, nowMs);
}

}  // namespace zeph::cardservice
