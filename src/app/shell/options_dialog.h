#pragma once
// The Options dialog: the chat name, how many hours back the chat
// window reaches, whether it stays on top, whether a desktop notice tells
// of arrivals, and the message-centre number read from the card service,
// shown only.

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace zeph {

class CardLink;
class SettingsStore;

class OptionsDialog final : public QDialog {
  Q_OBJECT

 public:
  // Reads the settings and the message-centre number (request 0x290003)
  // into the controls; a value that cannot be read leaves its control
  // empty.
  OptionsDialog(QWidget* parent, SettingsStore& settings, CardLink& link);

  // OK: writes all four settings, changed or not, and closes with 1. An
  // empty or unreadable hours field is written as 0.
  void accept() override;

 private:
  SettingsStore& settings_;
  QLineEdit* centreNumber_;
  QLineEdit* hours_;
  QLineEdit* chatName_;
  QCheckBox* onTop_;
  QCheckBox* notify_;
};

}  // namespace zeph
