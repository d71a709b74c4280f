#pragma once
// Send Business Card: sends a SIM contact as a business card
// to a number typed or chosen with Select Recipient. Send queues the card
// in the Outbox, where the send engine finds it.

#include <QDialog>
#include <optional>
#include <string>

#include "app/base/module_services.h"

class QLineEdit;
class QPushButton;

namespace zeph {

class SendBusinessCardDialog final : public QDialog {
  Q_OBJECT

 public:
  // The contact at `index` of the Contacts list.
  SendBusinessCardDialog(QWidget* parent, const ModuleServices& services, int index);

  // Send: builds the card, runs the can-send check with its warning, and
  // queues the card as waiting whatever the check answered; closes with 1.
  void accept() override;

 private:
  void Select();

  ModuleServices services_;
  std::string name_;  // the contact's, Windows-1252
  std::string number_;
  // The number of the contact chosen with Select; it is sent to even when
  // the field was edited afterwards. Cancelling Select forgets it.
  std::optional<std::string> chosen_;
  QLineEdit* card_;  // "Card:"
  QLineEdit* recipient_;
  QPushButton* send_;
};

}  // namespace zeph
