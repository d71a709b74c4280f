#pragma once
// The frame's client area: the action bar across the top, the module list
// down the left, the module space filling the rest, and the 3-pixel
// splitter between list and space that the user drags to change the list's
// width.

#include <QPointer>
#include <QWidget>

namespace zeph {

class ActionBar;
class ModuleList;
class ModuleSpace;

class FrameClient final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSplitterGap = 3;
  // The action buttons keep this much room to the right of the splitter.
  static constexpr int kButtonSlack = 23;
  // The module space keeps at least this height below the action bar.
  static constexpr int kSlackHeight = 105;

  explicit FrameClient(QWidget* parent = nullptr);

  ActionBar* Bar() const { return bar_; }
  ModuleList* List() const { return list_; }
  ModuleSpace* Space() const { return space_; }

  // The module list's width W.
  int ListWidth() const { return listWidth_; }
  // The layout without frame resize.
  void Layout();

  QRect SplitterRect() const { return splitterRect_; }
  bool SplitterHot() const { return hot_; }
  bool Dragging() const { return dragging_; }
  // The tracker's x while a drag shows it, else -1.
  int TrackerX() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int ButtonsRoom() const;
  void ResetSplitterRect();
  void MoveTracker(int x);
  void CancelDrag();
  void UpdateSmallestSize();

  ActionBar* bar_;
  ModuleList* list_;
  ModuleSpace* space_;
  QWidget* tracker_;

  int listWidth_ = 0;
  QRect splitterRect_;
  bool hot_ = false;
  bool dragging_ = false;
  bool clamped_ = false;
  QPoint pressGlobal_;
  QPoint trackerPos_;
  QPointer<QWidget> focusBeforeDrag_;
};

}  // namespace zeph
