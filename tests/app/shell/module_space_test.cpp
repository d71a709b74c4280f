#include <QScrollBar>
#include <QTest>

#include "app/controls/module_list.h"
#include "app/shell/frame_client.h"
#include "app/shell/module_space.h"
#include "support/app_fixture.h"

namespace zeph::testing {
namespace {

using ModuleSpaceTest = AppFixture;

TEST_F(ModuleSpaceTest, ScrollsTheModuleAndDropsTheBarWhenItFits) {
  moduleSize = QSize(800, 300);
  auto frame = MakeFrame(0);
  frame->resize(MainFrame::kStartWidth, frame->height());  // it opened wide enough
  QApplication::processEvents();
  ModuleSpace* space = frame->Client()->Space();
  ModulePage* module = frame->Module(0);
  QScrollBar* bar = space->horizontalScrollBar();
  ASSERT_LT(space->viewport()->width(), 800);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), 800 - space->viewport()->width());
  EXPECT_EQ(module->pos(), QPoint(0, 0));

  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(module->x(), -bar->maximum());
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(module->x(), 0);

  // Larger than the module: the bar goes and the module is back at 0, and
  // the module fills the space.
  frame->resize(1200, frame->height());
  QApplication::processEvents();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(module->x(), 0);
  EXPECT_EQ(module->width(), space->viewport()->width());
}

// A key the module hands to its list and the list leaves alone rises back
// through the module to the space; the space must not hand it on again.
TEST_F(ModuleSpaceTest, KeysGoToTheCurrentModuleOnceAndTabFromTheModuleListGoesIntoIt) {
  modulesPassKeysToList = true;
  auto frame = MakeFrame(3);
  log.clear();
  QTest::keyClick(frame->Client()->Space(), Qt::Key_F13);
  EXPECT_EQ(log, (std::vector<std::string>{"3 key " + std::to_string(Qt::Key_F13)}));

  // Tab from the module list goes straight into the module.
  QApplication::setActiveWindow(frame.get());
  QWidget* list = frame->Client()->List();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), frame->Module(3)->ListView());
}

}  // namespace
}  // namespace zeph::testing
