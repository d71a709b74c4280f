#include "core/codecs/error_table.h"

#include <utility>

#include "core/resources/string_table.h"

namespace zeph {
namespace {

// (code, string id). The first pair gives the fallback text.
constexpr std::pair<int, int> kErrors[] = {
    {0, 65}, {58, 58}, {66, 66}, {67, 67}, {75, 75},
};

}  // namespace

int ErrorStringId(int code) {
  for (const auto& [errorCode, stringId] : kErrors) {
    if (errorCode == code) return stringId;
  }
  return 0;
}

std::optional<std::string> ErrorText(int code) {
  const int id = ErrorStringId(code);
  if (id == 0) return std::nullopt;
  std::string_view text = LoadString(id);
  if (text.empty()) text = LoadString(kErrors[0].second);
  return std::string(text);
}

}  // namespace zeph
