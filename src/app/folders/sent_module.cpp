#include "app/folders/sent_module.h"

#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "core/folders/folder_status.h"
#include "core/folders/sort_order.h"

namespace zeph {
namespace {

MessageFolderSetup SentFolder(const ModuleServices& services) {
  ProgramStore& store = *services.store;
  MessageFolderSetup setup{FolderList(store.Lists().sent, store.Paths().sent), {}, {}, {}};
  setup.columns = {{StringId::kSentToColumn, ColumnContent::kNumberName, kSortNameAscending},
                   {StringId::kSentDateColumn, ColumnContent::kDateTime, kSortTimeAscending}};
  // In the order of the Sent messages' image indices.
  for (IconId icon : {IconId::kMessageItem, IconId::kForwardedItem, IconId::kPictureItem}) {
    setup.icons.images.push_back(IconForResource(icon));
  }
  setup.icons.imageOf = SentIconOf;
  setup.enabling = CommandEnabling{.forward = true, .chat = true};
  return setup;
}

}  // namespace

SentModule::SentModule(int index, const ModuleServices& services, QWidget* parent)
    : PreviewFolderModule(index, services, SentFolder(services),
                          PreviewLabels{"To:", ControlId::kSentToLabel, ControlId::kRecipientValue},
                          SourceFolder::kSent, parent) {
  setObjectName(QStringLiteral("SentModule"));
  // Made with its rows, unlike the Inbox, which waits for the frame.
  Refresh(RefreshReason::kReload);
}

}  // namespace zeph
