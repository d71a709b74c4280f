#pragma once
// The card link of the running program: "SMS sync" and "SMS ind" to the
// card service through the IPC client library. A card service that is not
// there leaves both pipes unusable and every request fails with
// kIpcNotConnected.

#include <memory>

#include "app/platform/card_link.h"
#include "core/devicelink/ipc_client.h"

namespace zeph {

class DeviceCardLink final : public CardLink {
 public:
  explicit DeviceCardLink(IpcOptions options = {});
  ~DeviceCardLink() override;

  void OpenPipes() override;
  void ClosePipes() override;
  uint32_t NotifyModuleSwitch() override;
  uint32_t ReadSimPhonebook(ContactList& contacts) override;
  uint32_t ReadCentreNumber(std::string* number) override;
  Pipe* SyncPipe() override { return sync_.get(); }
  IpcPipe* IndicationPipe() override { return indication_.get(); }
  // Reads only the options, which never change: safe on the send thread.
  std::unique_ptr<Pipe> OpenSendPipe(uint32_t& result, PipeCanceller& canceller) override;

 private:
  const IpcOptions options_;
  std::unique_ptr<IpcPipe> sync_;
  std::unique_ptr<IpcPipe> indication_;
};

}  // namespace zeph
