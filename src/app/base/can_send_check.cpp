#include "app/base/can_send_check.h"

#include "app/base/cannot_send_dialog.h"
#include "app/platform/card_link.h"
#include "core/devicelink/pipe.h"
#include "core/devicelink/result_codes.h"
#include "core/settings/can_send.h"

namespace zeph {
namespace {

// Stands in for a missing pipe: every operation fails as on a pipe whose
// card service is not there.
class ClosedPipe final : public Pipe {
 public:
  uint32_t SendFrame(std::span<const uint8_t>) override { return kIpcNotConnected; }
  bool FrameWaiting() override { return false; }
  uint32_t ReadFrame(std::span<const uint8_t>&) override { return kIpcNotConnected; }
  void Cancel() override {}
};

}  // namespace

int CanSendNow(QWidget* owner, CardLink& link, SettingsStore& settings) {
  ClosedPipe closed;
  Pipe* pipe = link.SyncPipe();
  return CanSendNow(pipe != nullptr ? *pipe : closed, settings,
                    [owner, &settings] { ShowCannotSendWarning(owner, settings); });
}

}  // namespace zeph
