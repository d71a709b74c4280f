#pragma once
// The frame's client area: the action bar across the top, and below it a
// splitter with the module list on the left and the module space filling
// the rest. The user drags the splitter's handle to change the list's
// width; the action buttons begin where the list ends.

#include <QWidget>

class QSplitter;

namespace zeph {

class ActionBar;
class ModuleList;
class ModuleSpace;

class FrameClient final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSplitterHandleWidth = 3;
  // The action buttons keep this much room to the right of the splitter.
  static constexpr int kButtonSlack = 23;

  explicit FrameClient(QWidget* parent = nullptr);

  ActionBar* Bar() const { return bar_; }
  ModuleList* List() const { return list_; }
  ModuleSpace* Space() const { return space_; }
  QSplitter* Splitter() const { return splitter_; }

  // After the modules were added to the list or the buttons of the bar
  // changed: the list is never narrower than its entries, and the module
  // space never narrower than the action buttons, so that neither a
  // splitter drag nor a smaller frame hides one of them.
  void FitListAndButtons();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ActionBar* bar_;
  QSplitter* splitter_;
  ModuleList* list_;
  ModuleSpace* space_;
};

}  // namespace zeph
