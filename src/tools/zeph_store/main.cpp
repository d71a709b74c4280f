// zeph-store: looks into the program's store files without the program, for
// backups and for repairs.

#include <iostream>
#include <map>
#include <string>

#include <CLI/CLI.hpp>

#include "tools/zeph_store/store_dump.h"

using zeph::tools::StoreKind;

int main(int argc, char** argv) {
  CLI::App app{
      "Looks into Zeph SMS store files (recsms.sms, outbox.sms, sentsms.sms, "
      "reports.sms and the picture library smspic.smp)."};
  app.require_subcommand(1);

  const std::map<std::string, StoreKind> kinds = {{"messages", StoreKind::kMessages},
                                                  {"pictures", StoreKind::kPictures}};
  std::string path;
  std::string kindName;

  auto addCommon = [&](CLI::App* verb) {
    verb->add_option("FILE", path, "Store file")->required();
    verb->add_option("--as", kindName,
                     "Read the file as a message store or a picture library "
                     "(default: .smp files are picture libraries)")
        ->check(CLI::IsMember({"messages", "pictures"}));
  };

  CLI::App* dump = app.add_subcommand(
      "dump",
      "Print every record as one JSON object per line (JSON Lines). Pictures are "
      "504 lowercase hex digits. Exits 1 when the file is damaged, after printing "
      "the records that could be read.");
  addCommon(dump);
  CLI::App* check = app.add_subcommand(
      "check",
      "Exit 0 for a well-formed file; otherwise exit 1 and name the record and the "
      "byte offset where the file goes wrong.");
  addCommon(check);

  CLI11_PARSE(app, argc, argv);

  StoreKind kind = kindName.empty() ? zeph::tools::GuessStoreKind(path) : kinds.at(kindName);
  if (dump->parsed()) return zeph::tools::DumpStore(path, kind, std::cout, std::cerr);
  return zeph::tools::CheckStore(path, kind, std::cout, std::cerr);
}
