#pragma once
// While the chat window is open, Enter sends its message from anywhere in
// the program, except inside the current module and the message editor,
// where Enter keeps its own meaning, and while a modal dialog or a menu is
// open. Ctrl+Enter is never taken.

#include <QObject>

namespace zeph {

struct OpenWindows;

class ChatEnterFilter final : public QObject {
  Q_OBJECT

 public:
  explicit ChatEnterFilter(const OpenWindows& windows, QObject* parent = nullptr);

 signals:
  // The chat window's Send; whoever opens the chat window
  // connects it.
  void SendChatRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const OpenWindows& windows_;
};

}  // namespace zeph
