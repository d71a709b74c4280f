#pragma once
// The list of a message folder: a flat view over the
// folder's MessageListModel in report style, one small icon per row, rows
// selected whole, several at once with Shift and Ctrl. The arrows, Home,
// End and typing the start of a name move in it as in any list; Enter
// asks for the folder's double-click action.

#include <QTreeView>
#include <vector>

namespace zeph {

class MessageListModel;

class FolderListView final : public QTreeView {
  Q_OBJECT

 public:
  explicit FolderListView(QWidget* parent);

  void SetFolderModel(MessageListModel* model);
  MessageListModel* FolderModel() const { return model_; }

  // The key of the selected row: the current row when it is selected, else
  // the first selected row; -1 when none is selected.
  int SelectedKey() const;
  // The keys of every selected row.
  std::vector<int> SelectedKeys() const;
  // The row of the selection mark (the current row), 0 when there is none.
  int MarkRow() const;
  // Selects `row` alone, makes it current and scrolls it into view. A row
  // that is not there selects nothing.
  void SelectRow(int row);
  // Shares the width among the columns, none narrower than its title, as
  // the folders' lists always have; again at every resize.
  void AdjustColumns();

 signals:
  // Enter on a row.
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  MessageListModel* model_ = nullptr;
};

}  // namespace zeph
