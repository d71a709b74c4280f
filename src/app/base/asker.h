#pragma once
// The frame's yes/no questions (delete the selection, delete everything)
// and the common error box. The program asks and tells with message boxes;
// tests answer and listen through their own Asker.

#include <QString>

class QWidget;

namespace zeph {

class Asker {
 public:
  virtual ~Asker() = default;
  // True for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) = 0;
  // The common error box: the text with an OK button, owned by no window.
  virtual void ShowError(const QString& caption, const QString& text) = 0;
};

class MessageBoxAsker final : public Asker {
 public:
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& question) override;
  void ShowError(const QString& caption, const QString& text) override;
};

}  // namespace zeph
