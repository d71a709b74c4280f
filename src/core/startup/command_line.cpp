#include "core/startup/command_line.h"

#include <utility>

namespace zeph {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

constexpr std::pair<std::string_view, int> kModuleKeywords[] = {
    {"inbox", kInboxModule},          {"outbox", kOutboxModule},     {"sentitems", kSentModule},
    {"statusreport", kReportsModule}, {"contacts", kContactsModule},
};

}  // namespace

CommandLineChoice ReadCommandLine(std::string_view commandLine) {
  CommandLineChoice choice;
  choice.stop = EqualsIgnoringCase(commandLine, "stop");
  for (const auto& [keyword, module] : kModuleKeywords) {
    if (EqualsIgnoringCase(commandLine, keyword)) choice.startModule = module;
  }
  return choice;
}

}  // namespace zeph
