#pragma once
// While the chat window is open, Enter sends its message from anywhere in
// the program, except inside the current module and the message editor,
// where Enter keeps its own meaning, and while a modal dialog or a menu is
// open. Ctrl+Enter is never taken.

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace zeph {

// What the rule asks of whoever owns the windows.
struct ChatEnterScope {
  std::function<bool()> chatOpen;
  // The windows in which Enter keeps its own meaning: the current module
  // and the message editor; none for one that is not there.
  std::function<std::vector<const QWidget*>()> ownEnter;
};

class ChatEnterFilter final : public QObject {
  Q_OBJECT

 public:
  explicit ChatEnterFilter(ChatEnterScope scope, QObject* parent = nullptr);

 signals:
  // The chat window's Send; whoever opens the chat window
  // connects it.
  void SendChatRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ChatEnterScope scope_;
};

}  // namespace zeph
