#include "app/shell/frame_client.h"

#include <QEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/shell/module_space.h"

namespace zeph {

FrameClient::FrameClient(QWidget* parent)
    : QWidget(parent),
      bar_(new ActionBar(this)),                       // owned by the client area
      splitter_(new QSplitter(Qt::Horizontal, this)),  // owned by the client area
      list_(new ModuleList(splitter_)),                // owned by the splitter
      space_(new ModuleSpace(splitter_)) {             // owned by the splitter
  setObjectName(QStringLiteral("FrameClient"));
  splitter_->setObjectName(QStringLiteral("FrameSplitter"));
  splitter_->setHandleWidth(kSplitterHandleWidth);
  splitter_->setChildrenCollapsible(false);
  // A larger frame gives its width to the module space; the list keeps
  // the width the user dragged it to.
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  auto* column = new QVBoxLayout(this);  // owned by the client area
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(bar_);
  column->addWidget(splitter_, 1);
  // The buttons begin where the list ends, whatever changed its width.
  list_->installEventFilter(this);
}

void FrameClient::FitListAndButtons() {
  list_->setMinimumWidth(list_->MinimumWidth());
  const int buttonsRoom = bar_->ButtonsEnd() - bar_->ButtonsStart();
  space_->setMinimumWidth(buttonsRoom + kButtonSlack - kSplitterHandleWidth);
  bar_->SetLeftWidth(list_->width());
}

bool FrameClient::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::Resize) bar_->SetLeftWidth(list_->width());
  return QWidget::eventFilter(watched, event);
}

}  // namespace zeph
