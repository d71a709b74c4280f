#pragma once
// The frame's yes/no questions (delete the selection, delete everything)
// and the common error box. The program asks with a message box; tests
// answer through their own Asker.

#include <QString>

class QWidget;

namespace zeph {

class Asker {
 public:
  virtual ~Asker() = default;
  // True for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) = 0;
  // The common error box: the text of error `code` (core/codecs/error_table.h)
  // captioned with string 1, an OK button, over no window. A code the table
  // does not hold shows nothing.
  virtual void ShowError(int code) = 0;
};

class MessageBoxAsker final : public Asker {
 public:
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) override;
  void ShowError(int code) override;
};

}  // namespace zeph
