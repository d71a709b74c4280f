#pragma once
// The action bar across the top of the frame (ZephSausage): a row of icon
// buttons that begins where the module list ends, over a background
// bitmap. As a QToolBar does, it shows actions: a button triggers its
// action and follows the action's icon, tooltip and enabled state.

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

class QAction;
class QHBoxLayout;
class QToolButton;

namespace zeph {

class ActionBar final : public QWidget {
  Q_OBJECT

 public:
  // The bar's height, or more where the font needs it.
  static constexpr int kHeight = 32;

  explicit ActionBar(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The width of the module list, where the bar's own part begins.
  void SetLeftWidth(int width);
  // A button for `action`, a command its window owns. Its accessible
  // name is the action's icon text.
  void AddAction(QAction* action);
  // Where the bar's own part begins (the left width), and where the last
  // button's margin ends. The difference, margins included, is the room
  // the buttons need, so a list width of CW - room - 23 still fits the
  // smallest frame.
  int ButtonsStart() const;
  int ButtonsEnd() const;
  void RemoveAllButtons();
  void SetBackground(const QPixmap& background);
  // The caption at the bar's right end.
  void SetText(const QString& text);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QToolButton* ButtonAt(int position) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QToolButton* NewButton();

  QHBoxLayout* row_;  // the buttons from the left, then a stretch
  int leftWidth_ = 0;
  QPixmap background_;
  QString text_;
  std::vector<QToolButton*> buttons_;  // children of the bar
};

}  // namespace zeph
