#pragma once
// The frame's yes/no questions (delete the selection, delete everything).
// The program asks with a message box; tests answer through their own
// Asker.

#include <QString>

class QWidget;

namespace zeph {

class Asker {
 public:
  virtual ~Asker() = default;
  // True for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) = 0;
};

class MessageBoxAsker final : public Asker {
 public:
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) override;
};

}  // namespace zeph
