#include "app/folders/placeholder_module.h"

#include <QResizeEvent>

#include "app/controls/control_id.h"
#include "app/controls/report_list_view.h"
#include "app/controls/title_font.h"
#include "app/shell/resource_icons.h"
#include "app/shell/texts.h"
#include "core/startup/command_line.h"

namespace zeph {
namespace {

// Where the title and the list sit inside the module.
constexpr int kMargin = 7;
constexpr int kListTop = 40;
constexpr QSize kInitialSize(380, 300);

}  // namespace

PlaceholderModule::PlaceholderModule(int index, AppContext& context, QWidget* parent)
    : FolderModule(index, context, parent),
      title_(new QLabel(Text(Row().nameString), this)),  // owned by the module
      list_(new ReportListView(this)) {                  // owned by the module
  SetControlId(title_, kModuleTitleControl);
  title_->setFont(CreateTitleFont(font()));
  SetControlId(list_, kModuleListControl);
  QStringList columns;
  for (int id : Row().columnStrings) {
    if (id != 0) columns << Text(id);
  }
  list_->SetHeader(columns);
  const int rowIcon = index == 4 ? kContactItemIcon : kMessageItemIcon;
  list_->InitImageList({IconForResource(rowIcon)});
  list_->AdjustListView(kAdjustFillWidth);
  if (index != kContactsModule) {  // the message folders share one context menu
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { RunContextMenu(list_->viewport()->mapToGlobal(at)); });
  }
  SetInitialSize(kInitialSize);
}

void PlaceholderModule::Refresh(int) {}

void PlaceholderModule::Command(int) {}

void PlaceholderModule::resizeEvent(QResizeEvent* event) {
  const QSize size = event->size();
  title_->setGeometry(kMargin, kMargin, size.width() - 2 * kMargin, kListTop - kMargin - 4);
  list_->setGeometry(kMargin, kListTop, size.width() - 2 * kMargin,
                     size.height() - kListTop - kMargin);
  list_->AdjustListView(kAdjustFillWidth);
}

std::unique_ptr<FolderModule> CreateFolderModule(int index, AppContext& context, QWidget* parent) {
  return std::make_unique<PlaceholderModule>(index, context, parent);
}

}  // namespace zeph
