#pragma once
// The module space (ZephModuleSpace): shows the current module at its own
// size, with scroll bars when the module is larger than the space.

#include <QAbstractScrollArea>
#include <QPointer>

#include "app/module/module_page.h"

namespace zeph {

class ModuleSpace final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kLineStep = 20;
  static constexpr int kPageStep = 100;

  explicit ModuleSpace(QWidget* parent = nullptr);

  // Where the modules live; they are made with this as their parent.
  QWidget* Host() const { return viewport(); }
  void SetCurrentModule(ModulePage* module);
  ModulePage* CurrentModule() const { return module_; }

  // The size handling (also run when another module becomes current): the
  // module fills the space but never gets smaller than its smallest size,
  // the bars' ranges are what the module exceeds the space by, and the
  // module sits at minus the bars' positions.
  void Relayout();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void PlaceModule();
  void ForwardKey(QKeyEvent* event);

  QPointer<ModulePage> module_;
  bool forwarding_ = false;  // a key is being handed to the module
};

}  // namespace zeph
