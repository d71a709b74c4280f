#include "app/folders/message_folder_module.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "app/base/control_id.h"
#include "app/base/folder_actions.h"
#include "app/base/program_store.h"
#include "app/base/texts.h"
#include "app/base/title_font.h"
#include "app/folders/folder_list_view.h"
#include "core/folders/sort_order.h"

namespace zeph {

MessageFolderModule::MessageFolderModule(int index, const ModuleServices& services,
                                         MessageFolderSetup setup, QWidget* parent)
    : ModulePage(index, services, parent),
      folder_(std::move(setup.folder)),
      enabling_(setup.enabling),
      title_(new QLabel(Text(Row().name), this)),  // owned by the module
      list_(new FolderListView(this)),             // owned by the module
      model_(new MessageListModel(folder_, services.store->Lists().contacts,
                                  std::move(setup.columns), std::move(setup.icons),
                                  this)) {  // owned by the module
  SetControlId(title_, ControlId::kModuleTitle);
  title_->setFont(CreateTitleFont(font()));
  PlaceTitleAndList(title_, list_);
  list_->SetFolderModel(model_);
  // The message folders share the folders' context menu; its choice and the
  // Delete key go the frame's way, so that they ask first.
  AdoptList(list_, services.actions->contextMenu);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &MessageFolderModule::SortByColumn);
  connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) OpenRow();
  });
  connect(list_, &FolderListView::EnterPressed, this, [this] { OpenRow(); });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected) { SelectionChanged(selected); });
  SetInitialSize(kInitialSize);
}

void MessageFolderModule::Refresh(RefreshReason reason) {
  if (refreshing_) {
    // Asked again from within (a box shown during a reception pass runs a
    // loop of its own): one more reload follows the one running.
    reloadWanted_ = reloadWanted_ || reason == RefreshReason::kReload;
    return;
  }
  refreshing_ = true;
  for (;;) {
    reloadWanted_ = false;
    // A hidden refresh remembers the row too: the Inbox selects it again,
    // and the user comes back to the row they left.
    rememberedRow_ = list_->MarkRow();
    if (reason == RefreshReason::kReload) {
      // No row stands for a record while the list is being replaced: a
      // box the reload shows lets the view paint meanwhile.
      model_->Clear();
      Reload();
      model_->Rebuild();  // in list order again, whatever the last click was
      list_->header()->setSortIndicatorShown(false);
      Rebuilt();
      list_->AdjustColumns();
      EnableCommands(model_->rowCount() > 0);
    }
    FinishRefresh(reason);
    if (!reloadWanted_) break;
    reason = RefreshReason::kReload;
  }
  refreshing_ = false;
}

void MessageFolderModule::Reload() {
  static_cast<void>(folder_.Load());
}  // the rows show the count

void MessageFolderModule::FinishRefresh(RefreshReason reason) {
  if (reason == RefreshReason::kReload) SelectRememberedRow();
}

bool MessageFolderModule::ForwardKey(QKeyEvent* event) {
  // Keys that reach the module space belong to the list.
  event->ignore();
  QCoreApplication::sendEvent(list_, event);
  return event->isAccepted();
}

QAbstractItemView* MessageFolderModule::ListView() const {
  return list_;
}

int MessageFolderModule::SelectedKey() const {
  return list_->SelectedKey();
}

void MessageFolderModule::SortByColumn(int column) {
  if (column < 0 || column >= model_->columnCount()) return;
  const int ascending = model_->Columns()[static_cast<size_t>(column)].sortAscending;
  if (ascending == kSortNone) return;
  sortCode_ = NextSortCode(sortCode_, ascending);
  model_->Sort(sortCode_);
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(
      column, sortCode_ == ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  const QModelIndex mark = list_->currentIndex();
  if (mark.isValid()) {
    list_->scrollTo(mark);
  } else if (model_->rowCount() > 0) {
    list_->scrollTo(model_->index(0, 0));
  }
}

void MessageFolderModule::SelectRememberedRow() {
  list_->SelectRow(rememberedRow_);
}

void MessageFolderModule::EnableCommands(bool any) {
  if (isHidden()) return;
  const FolderActions& actions = *Services().actions;
  actions.reply->setEnabled(any && enabling_.reply);
  actions.forward->setEnabled(any && enabling_.forward);
  actions.deleteSelected->setEnabled(any);
  actions.savePicture->setEnabled(false);
  actions.addToContacts->setEnabled(any && enabling_.addToContacts);
  actions.chat->setEnabled(any && enabling_.chat);
  actions.deleteAll->setEnabled(any);
}

void MessageFolderModule::EnableSavePicture(bool enabled) {
  if (!isHidden()) Services().actions->savePicture->setEnabled(enabled);
}

void MessageFolderModule::showEvent(QShowEvent* event) {
  ModulePage::showEvent(event);
  // Becoming visible refreshes as the frame's reload does; the desktop's
  // own showing (a window restored) does not.
  if (event->spontaneous()) return;
  shown_ = true;
  Refresh(RefreshReason::kReload);
}

void MessageFolderModule::hideEvent(QHideEvent* event) {
  ModulePage::hideEvent(event);
  // Only a module that was on screen and is hidden itself: the frame
  // hides every module once when it makes them, and a frame that closes
  // hides its modules with it.
  if (event->spontaneous() || !shown_ || !isHidden()) return;
  Refresh(RefreshReason::kSaveOnHide);
}

void MessageFolderModule::SelectionChanged(const QItemSelection& selected) {
  // Every row that became selected, in row order, with the current row
  // last, so that the preview ends on the row the user went to.
  std::vector<int> rows;
  for (const QModelIndex& index : selected.indexes()) {
    if (index.column() == 0) rows.push_back(index.row());
  }
  if (rows.empty()) return;
  std::sort(rows.begin(), rows.end());
  const int current = list_->currentIndex().row();
  const auto at = std::find(rows.begin(), rows.end(), current);
  if (at != rows.end()) std::rotate(at, at + 1, rows.end());
  std::vector<int> keys;
  keys.reserve(rows.size());
  for (int row : rows) keys.push_back(model_->KeyOfRow(row));
  RowsSelected(keys);
}

}  // namespace zeph
