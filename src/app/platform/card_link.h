#pragma once
// What the program asks of the card service, on the user-interface thread's
// pipes. Every request returns the device link's result code, 0 for
// success; a card service that is not there makes each one fail, and the
// program carries on with its defaults.

#include <cstdint>
#include <memory>
#include <string>

#include "core/devicelink/pipe.h"
#include "core/devicelink/result_codes.h"
#include "core/store/app_lists.h"

namespace zeph {

class IpcPipe;
class PipeCanceller;

class CardLink {
 public:
  virtual ~CardLink() = default;

  // Opens "SMS sync", then "SMS ind". The results are not looked at: a
  // missing card service shows up later as failed requests.
  virtual void OpenPipes() = 0;
  // Closes "SMS sync", then "SMS ind".
  virtual void ClosePipes() = 0;

  // Request 0x140006 with value 0, sent on every module switch.
  virtual uint32_t NotifyModuleSwitch() = 0;
  // Request 0x2A0000: replaces `contacts` with the SIM phonebook on
  // success, leaves it untouched otherwise. May take up to 60 s.
  virtual uint32_t ReadSimPhonebook(ContactList& contacts) = 0;
  // Request 0x290003: the message-centre number, Windows-1252, on success.
  virtual uint32_t ReadCentreNumber(std::string* number) = 0;

  // The user-interface thread's pipes, for the requests of the folders,
  // the editor and the chat (devicelink/device_requests.h) and for the
  // Inbox's indications. None before OpenPipes and after ClosePipes, and
  // none in tests that fake the link.
  virtual Pipe* SyncPipe() = 0;
  virtual IpcPipe* IndicationPipe() = 0;

  // Opens "SMSSend sync", the send thread's own pipe, on the thread that
  // will use it (it may be called from any thread). A stop may end the
  // open early through `canceller`. None, with `result` set, when it
  // cannot be opened; a link without a card service never opens one.
  virtual std::unique_ptr<Pipe> OpenSendPipe(uint32_t& result, PipeCanceller& canceller) {
    static_cast<void>(canceller);
    result = kIpcNotConnected;
    return nullptr;
  }
};

}  // namespace zeph
