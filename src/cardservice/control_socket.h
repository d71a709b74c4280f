#pragma once
// Where zeph-cardctl finds the card service: <dir>/TavikZeph.ctl beside the
// program's socket <dir>/TavikZeph.sock.

#include <string>
#include <string_view>

namespace zeph::cardservice {

inline std::string ControlSocketPath(std::string_view dir) {
  std::string path(dir);
  if (path.empty() || path.back() != '/') path += '/';
  return path + "TavikZeph.ctl";
}

}  // namespace zeph::cardservice
