#include "tools/zeph_store/store_dump.h"

#include <cctype>
#include <cstdio>
#include <ostream>

#include "core/store/message_file.h"
#include "core/store/picture_library_file.h"
#include "core/util/atomic_file.h"
#include "core/util/cp1252.h"
#include "core/util/fixed_text.h"
#include "core/util/hex_text.h"

namespace zeph::tools {
namespace {

std::string FormatTime(const RecordTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{t.year},
                unsigned{t.month}, unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute},
                unsigned{t.second});
  return text;
}

std::string Describe(const MessageFileProblem& problem) {
  std::string where =
      problem.record >= 0 ? "record " + std::to_string(problem.record) + ", " : std::string();
  return where + "byte offset " + std::to_string(problem.offset) + ": " + problem.what;
}

}  // namespace

StoreKind GuessStoreKind(const std::string& path) {
  if (path.size() >= 4) {
    std::string ending = path.substr(path.size() - 4);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ending == ".smp") return StoreKind::kPictures;
  }
  return StoreKind::kMessages;
}

nlohmann::ordered_json RecordToJson(const MessageRecord& record) {
  nlohmann::ordered_json numbers = nlohmann::ordered_json::array();
  for (const NumberBlock& number : record.numbers)
    numbers.push_back(Utf8FromCp1252(FieldText(number)));
  nlohmann::ordered_json object = {
      {"time", FormatTime(record.time)},
      {"flags", record.flags},
      {"reference", record.reference},
      {"numbers", numbers},
      {"serviceCentre", Utf8FromCp1252(FieldText(record.serviceCentre))},
      {"text", Utf8FromCp1252(TextOf(record))},
  };
  if (record.flags & MRF_PICTURE) {
    object["picture"] = ToHex(record.picture ? *record.picture : PictureImage{});
  }
  return object;
}

int DumpStore(const std::string& path, StoreKind kind, std::ostream& out, std::ostream& err) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    err << "zeph-store: cannot read " << path << "\n";
    return 1;
  }
  if (kind == StoreKind::kPictures) {
    PictureList pictures;
    size_t leftOver = ParsePictureLibrary(*bytes, pictures);
    for (const PictureImage& picture : pictures) {
      out << nlohmann::json{{"picture", ToHex(picture)}}.dump() << "\n";
    }
    if (leftOver == 0) return 0;
    err << "zeph-store: " << path << ": " << leftOver << " trailing bytes do not fill a picture\n";
    return 1;
  }
  MessageList records;
  MessageFileParse parse = ParseMessageFile(*bytes, records);
  for (const MessageRecord& record : records) out << RecordToJson(record).dump() << "\n";
  for (const MessageFileProblem& problem : parse.problems) {
    err << "zeph-store: " << path << ": " << Describe(problem) << "\n";
  }
  return parse.wellFormed() ? 0 : 1;
}

int CheckStore(const std::string& path, StoreKind kind, std::ostream& out, std::ostream& err) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    err << "zeph-store: cannot read " << path << "\n";
    return 1;
  }
  if (kind == StoreKind::kPictures) {
    PictureList pictures;
    size_t leftOver = ParsePictureLibrary(*bytes, pictures);
    if (leftOver != 0) {
      err << path << ": byte offset " << bytes->size() - leftOver << ": " << leftOver
          << " trailing bytes do not fill a picture\n";
      return 1;
    }
    out << path << ": well-formed picture library, " << pictures.Count() << " pictures\n";
    return 0;
  }
  MessageList records;
  MessageFileParse parse = ParseMessageFile(*bytes, records);
  if (!parse.wellFormed()) {
    for (const MessageFileProblem& problem : parse.problems) {
      err << path << ": " << Describe(problem) << "\n";
    }
    return 1;
  }
  out << path << ": well-formed message store, " << parse.recordsRead << " records\n";
  return 0;
}

}  // namespace zeph::tools
