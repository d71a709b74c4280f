#pragma once
// zeph-store's work, apart from its command line so that tests can call it.

#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

#include "core/store/message_record.h"

namespace zeph::tools {

enum class StoreKind { kMessages, kPictures };

// ".smp" files are picture libraries, everything else a message store.
StoreKind GuessStoreKind(const std::string& path);

// 504 lowercase hex digits.
std::string PictureHex(const PictureImage& picture);

// {"time", "flags", "reference", "numbers", "serviceCentre", "text"} and
// "picture" when MRF_PICTURE is set; texts converted to UTF-8.
nlohmann::ordered_json RecordToJson(const MessageRecord& record);

// Prints one JSON object per record (or picture) to `out`. Problems go to
// `err`. Returns the exit code: 0 for a whole, well-formed file, 1 when the
// file cannot be read or is damaged (the readable records are printed all
// the same).
int DumpStore(const std::string& path, StoreKind kind, std::ostream& out, std::ostream& err);

// Says whether the file is well-formed. Returns 0 and prints a summary when
// it is; returns 1 and prints, for each problem, the record and the byte
// offset where it goes wrong.
int CheckStore(const std::string& path, StoreKind kind, std::ostream& out, std::ostream& err);

}  // namespace zeph::tools
