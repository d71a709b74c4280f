#pragma once
// The module list down the left of the frame (ZephButtonBar): one large
// entry per folder module, the chosen one highlighted. Picking an entry
// with the mouse, Space or Enter (which then moves on into the module)
// reports its index, also when it is the current one; the arrow keys move
// to the next entry and report it as browsed, since the keyboard stays in
// the list. The list draws its entries itself; being a list widget
// underneath, it shows assistive technology one named item per entry with
// its selected state.

#include <QIcon>
#include <QListWidget>
#include <QString>

namespace zeph {

class ModuleList final : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kNarrowest = 90;

  explicit ModuleList(QWidget* parent = nullptr);

  void AddModule(const QIcon& icon, const QString& name, const QString& description);
  // The entry's name, shown and announced ("Inbox (3)").
  void SetModuleName(int index, const QString& name);
  // Highlights the entry without reporting it.
  void Select(int index);
  int MinimumWidth() const;
  int Selected() const { return currentRow(); }
  int Count() const { return count(); }
  // The entry's box in the list's own coordinates.
  QRect EntryRect(int index) const;

 signals:
  void ModuleChosen(int index);
  void ModuleBrowsed(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The height of an entry's row, its box and the gap below it.
  int EntryHeight() const;
  int EntryAt(QPoint position) const;
  void PaintEntry(QPainter& painter, int index) const;

  int hot_ = -1;
  int pressed_ = -1;
};

}  // namespace zeph
