#pragma once
// "Message Cannot Be Sent": shown when a message is queued
// while the card has no GSM or GPRS connection. Only OK closes it; it then
// stores whether the user wants to see it again.

#include <QDialog>

class QCheckBox;

namespace zeph {

class SettingsStore;

class CannotSendDialog final : public QDialog {
  Q_OBJECT

 public:
  CannotSendDialog(QWidget* owner, SettingsStore& settings);

  // OK: writes "CanNotSendWarning", 1 when the box is ticked, else 0.
  void accept() override;
  // Escape: ignored.
  void reject() override {}

 protected:
  // The caption's close button: ignored.
  void closeEvent(QCloseEvent* event) override;

 private:
  SettingsStore& settings_;
  QCheckBox* doNotShow_;
};

// The warning, modal over `owner`. Without an owner (the send engine's
// check) nothing is shown.
void ShowCannotSendWarning(QWidget* owner, SettingsStore& settings);

}  // namespace zeph
