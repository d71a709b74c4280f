#pragma once
// The module list down the left of the frame (ZephButtonBar): one large
// entry per folder module, the chosen one highlighted. Picking an entry
// reports its index, also when it is the current one.

#include <QIcon>
#include <QString>
#include <QWidget>
#include <vector>

namespace zeph {

class ModuleList final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kNarrowest = 90;

  explicit ModuleList(QWidget* parent = nullptr);

  void AddModule(const QIcon& icon, const QString& name, const QString& description);  // 0x415
  void Select(int index);                                                              // 0x417
  int MinimumWidth() const;                                                            // 0x419
  int Selected() const { return selected_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  QRect EntryRect(int index) const;

 signals:
  void ModuleChosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Entry {
    QIcon icon;
    QString name;
    QString description;
  };
  int EntryAt(QPoint position) const;

  std::vector<Entry> entries_;
  int selected_ = -1;
  int hot_ = -1;
  int pressed_ = -1;
};

}  // namespace zeph
