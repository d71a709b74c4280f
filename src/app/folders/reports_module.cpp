#include "app/folders/reports_module.h"

#include <QPushButton>
#include <algorithm>
#include <functional>

#include "app/base/control_id.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/folders/folder_list_view.h"
#include "core/folders/sort_order.h"

namespace zeph {
namespace {

MessageFolderSetup ReportsFolder(const ModuleServices& services) {
  ProgramStore& store = *services.store;
  MessageFolderSetup setup{FolderList(store.Lists().reports, store.Paths().reports), {}, {}, {}};
  setup.columns = {
      {StringId::kReportsToColumn, ColumnContent::kNumberName, kSortNameAscending},
      {StringId::kReportsMessageColumn, ColumnContent::kText, kSortTextAscending},
      {StringId::kReportsStatusColumn, ColumnContent::kReportStatus, kSortStatusAscending},
      {StringId::kInboxDateColumn, ColumnContent::kDateTime, kSortTimeAscending}};
  setup.icons.images = {IconForResource(IconId::kMessageItem)};
  setup.icons.imageOf = [](uint32_t) { return 0; };
  setup.enabling = CommandEnabling{};
  return setup;
}

}  // namespace

ReportsModule::ReportsModule(int index, const ModuleServices& services, QWidget* parent)
    : MessageFolderModule(index, services, ReportsFolder(services), parent),
      clear_(new QPushButton(QStringLiteral("&Clear List"), this)) {  // owned by the module
  setObjectName(QStringLiteral("ReportsModule"));
  SetControlId(clear_, ControlId::kClearList);
  clear_->setEnabled(false);
  AddButtonRow({clear_});
  connect(clear_, &QPushButton::clicked, this, &ReportsModule::DeleteAll);
}

void ReportsModule::Command(FolderCommand command) {
  if (command == FolderCommand::kNew) {
    emit OpenEditor(EditorRequest{});
    return;
  }
  if (command != FolderCommand::kDelete) return;
  std::vector<int> keys = List()->SelectedKeys();
  if (keys.empty()) return;
  // From the last to the first, so that each key still names its entry.
  std::sort(keys.begin(), keys.end(), std::greater<>());
  Folder().WithList([&keys](MessageList& list) {
    for (int key : keys) static_cast<void>(list.RemoveAt(key));  // 0: gone already
  });
  Folder().Save();
  Refresh(RefreshReason::kReload);
}

void ReportsModule::DeleteAll() {
  Folder().WithList([](MessageList& list) { static_cast<void>(list.RemoveAll()); });  // always 1
  Folder().Save();
  Refresh(RefreshReason::kReload);
}

void ReportsModule::FinishRefresh(RefreshReason reason) {
  if (reason == RefreshReason::kSaveOnHide) {
    Folder().Save();
    return;
  }
  MessageFolderModule::FinishRefresh(reason);
  clear_->setEnabled(Model()->rowCount() > 0);
}

}  // namespace zeph
