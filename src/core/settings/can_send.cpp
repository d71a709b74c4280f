#include "core/settings/can_send.h"

#include "core/devicelink/device_requests.h"

namespace zeph {

int CanSendNow(Pipe& pipe) {
  return ConnectionAllowsSending(ReadConnectionState(pipe)) ? 1 : 0;
}

int CanSendNow(Pipe& pipe, const SettingsStore& settings,
               const std::function<void()>& showWarning) {
  if (CanSendNow(pipe)) return 1;
  // A missing setting leaves warningOff at 0: the warning is shown.
  int warningOff = 0;
  (void)settings.ReadSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting, &warningOff);
  if (warningOff == 0 && showWarning) showWarning();
  return 0;
}

}  // namespace zeph
