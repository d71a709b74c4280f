#pragma once
// A folder module that shows its title and its empty list with the
// folder's columns. It stands in for the folders whose content is not
// built yet and answers the frame's requests by doing nothing.

#include <QLabel>

#include "app/controls/report_list_view.h"
#include "app/module/folder_module.h"

namespace zeph {

class PlaceholderModule final : public FolderModule {
  Q_OBJECT

 public:
  PlaceholderModule(int index, const ModuleServices& services, QWidget* parent);

  void Refresh(RefreshReason reason) override;
  void Command(FolderCommand command) override;
  ReportListView* ListView() const override { return list_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* title_;
  ReportListView* list_;
};

}  // namespace zeph
