#pragma once
// The frame's yes/no questions (delete the selection, delete everything)
// and the common error box, also for a failed write the user asked for.
// The program asks with a message box; tests answer through their own
// Asker.

#include <QString>
#include <string>

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
  // The same box with a text of its own: something the user asked for
  // explicitly (a save, an export) failed, and the text says what and why.
  virtual void ShowFailure(const QString& text) = 0;
};

class MessageBoxAsker final : public Asker {
 public:
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) override;
  void ShowError(int code) override;
  void ShowFailure(const QString& text) override;
};

// What the box says when a file the user asked for could not be written:
// the file (`path`, as the system names it) and the system's reason for
// `error`, an errno value.
QString WriteFailureText(const std::string& path, int error);

}  // namespace zeph
