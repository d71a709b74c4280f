#include "app/platform/device_card_link.h"

#include "core/devicelink/device_requests.h"
#include "core/devicelink/result_codes.h"

namespace zeph {

DeviceCardLink::DeviceCardLink(IpcOptions options) : options_(std::move(options)) {}

DeviceCardLink::~DeviceCardLink() {
  ClosePipes();
}

void DeviceCardLink::OpenPipes() {
  // The results are not looked at: a pipe that failed to open stays
  // unusable, and each later request on it fails.
  (void)IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSyncPipeName, sync_,
                           options_);
  (void)IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kIndicationPipeName,
                           indication_, options_);
}

void DeviceCardLink::ClosePipes() {
  if (sync_) IPCCloseHandle(sync_);
  if (indication_) IPCCloseHandle(indication_);
}

std::unique_ptr<Pipe> DeviceCardLink::OpenSendPipe(uint32_t& result, PipeCanceller& canceller) {
  IpcOptions options = options_;
  options.canceller = &canceller;
  std::unique_ptr<IpcPipe> pipe;
  result =
      IPCCreateNamedPipe(wire::kServerName, wire::kPipeSize, wire::kSendPipeName, pipe, options);
  if (result != kResultOk) return nullptr;
  return pipe;
}

uint32_t DeviceCardLink::NotifyModuleSwitch() {
  return sync_ ? SendModuleSwitchNotice(*sync_) : kIpcNotConnected;
}

uint32_t DeviceCardLink::ReadSimPhonebook(ContactList& contacts) {
  return sync_ ? ReadPhonebook(*sync_, contacts) : kIpcNotConnected;
}

uint32_t DeviceCardLink::ReadCentreNumber(std::string* number) {
  if (!sync_) return kIpcNotConnected;
  CentreSettings centre;
  const uint32_t result = ReadCentreSettings(*sync_, centre);
  if (result == kResultOk) *number = centre.number;
  return result;
}

}  // namespace zeph
