#include "app/folders/placeholder_module.h"

#include <QResizeEvent>

#include "app/base/control_id.h"
#include "app/base/menus.h"
#include "app/base/texts.h"
#include "app/base/title_font.h"
#include "app/controls/report_list_view.h"
#include "core/startup/command_line.h"

namespace zeph {
namespace {

// Where the title and the list sit inside the module.
constexpr int kMargin = 7;
constexpr int kListTop = 40;
constexpr QSize kInitialSize(380, 300);

}  // namespace

PlaceholderModule::PlaceholderModule(int index, const ModuleServices& services, QWidget* parent)
    : FolderModule(index, services, parent),
      title_(new QLabel(Text(Row().name), this)),  // owned by the module
      list_(new ReportListView(this)) {            // owned by the module
  SetControlId(title_, ControlId::kModuleTitle);
  title_->setFont(CreateTitleFont(font()));
  SetControlId(list_, ControlId::kModuleList);
  QStringList columns;
  for (int c = 0; c < Row().columnCount; ++c) {
    columns << Text(Row().columns[static_cast<size_t>(c)]);
  }
  list_->SetHeader(columns);
  const bool contacts = index == kContactsModule;
  list_->InitImageList({IconForResource(contacts ? IconId::kContactItem : IconId::kMessageItem)});
  list_->AdjustListView(kAdjustFillWidth);
  // The message folders share one context popup; Contacts has its own,
  // which comes with its module.
  AdoptList(list_, contacts ? nullptr : services.menus->MessageFolders());
  SetInitialSize(kInitialSize);
}

void PlaceholderModule::Refresh(RefreshReason) {}

void PlaceholderModule::Command(FolderCommand command) {
  // New writes a message in every folder, with nothing selected to start
  // from.
  if (command == FolderCommand::kNew) emit OpenEditor(EditorRequest{});
}

void PlaceholderModule::resizeEvent(QResizeEvent* event) {
  const QSize size = event->size();
  title_->setGeometry(kMargin, kMargin, size.width() - 2 * kMargin, kListTop - kMargin - 4);
  list_->setGeometry(kMargin, kListTop, size.width() - 2 * kMargin,
                     size.height() - kListTop - kMargin);
  list_->AdjustListView(kAdjustFillWidth);
}

std::unique_ptr<FolderModule> CreateFolderModule(int index, const ModuleServices& services,
                                                 QWidget* parent) {
  return std::make_unique<PlaceholderModule>(index, services, parent);
}

}  // namespace zeph
