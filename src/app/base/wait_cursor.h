#pragma once
// Shows the wait cursor while a request that may take long blocks the
// user-interface thread (the SIM phonebook requests take up to 60 s), since
// the windows cannot repaint meanwhile.

#include <QApplication>
#include <QCursor>

namespace zeph {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace zeph
