#include "core/devicelink/result_codes.h"

#include <cstdio>

namespace zeph {

std::string ResultName(uint32_t code) {
  switch (code) {
    case kResultOk:
      return "ok";
    case kResultShortReply:
      return "short reply";
    case kResultErrorReply:
      return "error reply";
    case kIpcNotConnected:
      return "not connected";
    case kIpcRefused:
      return "refused at open";
    case kIpcWriteFailed:
      return "write failed";
    case kIpcPeerClosed:
      return "peer closed";
    case kIpcTimedOut:
      return "timed out";
    case kIpcProtocolError:
      return "protocol error";
    case kIpcCancelled:
      return "cancelled";
    case kResultBadRequest:
      return "bad request";
    case kIpcUnsafeFolder:
      return "socket folder not private";
    default:
      break;
  }
  char text[24];
  std::snprintf(text, sizeof text, "status 0x%X", code);
  return text;
}

}  // namespace zeph
