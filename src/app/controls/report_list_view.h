#pragma once
// A list view in report style, as the folder modules use it: columns,
// one small image per row, and a 32-bit key on every row (the index of the
// record the row shows).

#include <QIcon>
#include <QStringList>
#include <QTreeWidget>
#include <vector>

namespace zeph {

// Flags of AdjustListView.
inline constexpr int kAdjustFillWidth = 0x20;    // share the width among the columns
inline constexpr int kAdjustFirstToText = 0x04;  // business cards: first column fits its texts

class ReportListView final : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ReportListView(QWidget* parent = nullptr);

  // One column per title, in order.
  void SetHeader(const QStringList& titles);
  // The rows' images: an image index is the icon's position from 0.
  void InitImageList(std::vector<QIcon> icons);
  // Appends a row; returns its row index.
  int AddItem(int imageIndex, int key, const QStringList& texts);
  // The selected row's key, -1 when none.
  int GetCurSelParam() const;
  // The row with the key, -1 when none.
  int FindItemByParam(int key) const;
  // Selects the row and scrolls it into view; a row past the end changes
  // nothing.
  void SetSelection(int row);
  // Re-fits the columns after rows or the size changed.
  void AdjustListView(int flags);

  int KeyOfRow(int row) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QIcon> images_;
  int adjustFlags_ = 0;
};

}  // namespace zeph
