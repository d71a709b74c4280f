#include "core/store/app_lists.h"

namespace zeph {
namespace {

std::string Join(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

StorePaths StorePaths::InFolders(const std::string& messagesFolder,
                                 const std::string& picturesFolder) {
  return {Join(messagesFolder, kInboxFileName), Join(messagesFolder, kOutboxFileName),
          Join(messagesFolder, kSentFileName), Join(messagesFolder, kReportsFileName),
          Join(picturesFolder, kPictureLibraryFileName)};
}

}  // namespace zeph
