#pragma once
// The action bar across the top of the frame (ZephSausage): a row of icon
// buttons that begins where the module list ends, over a background
// bitmap. A click reports the button's command value.

#include <QIcon>
#include <QKeySequence>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

class QAction;
class QHBoxLayout;
class QToolButton;

namespace zeph {

inline constexpr int kButtonEnabled = 0;
inline constexpr int kButtonDisabled = 2;

struct ActionButtonRecord {
  int initialState = kButtonEnabled;  // 0 enabled, 2 disabled
  std::array<QIcon, 4> icons;         // normal, hot, disabled, pressed
  int command = 0;                    // reported by Clicked
  QString tooltip;
};

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
  void AddButton(const ActionButtonRecord& record);
  // A button for `action`, a command its window owns (and has added to
  // itself, so that its shortcut works there): the button triggers it and
  // follows its enabled state; `icons` as in a record. The tooltip is the
  // action's text with its shortcut, "Save As Text (Ctrl+S)", or with `key`
  // for a command whose key the window takes itself (it works also while
  // the button is grey).
  void AddAction(QAction* action, const std::array<QIcon, 4>& icons, const QKeySequence& key = {});
  // Where the bar's own part begins (the left width), and where the last
  // button's margin ends. The difference, margins included, is the room
  // the buttons need, so a list width of CW - room - 23 still fits the
  // smallest frame.
  int ButtonsStart() const;
  int ButtonsEnd() const;
  // 2 disables, 0 enables; a button of an action enables the action.
  void SetButtonState(int position, int state);
  void RemoveAllButtons();
  void SetBackground(const QPixmap& background);
  // The caption at the bar's right end.
  void SetText(const QString& text);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QToolButton* ButtonAt(int position) const;

 signals:
  void Clicked(int command);

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
