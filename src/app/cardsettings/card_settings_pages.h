#pragma once
// The three pages of the card settings: the connection, the message
// settings and the SIM. Each shows values it is given and hands back what
// the user set; the window does the talking to the card service.

#include <QWidget>
#include <cstdint>

#include "core/devicelink/control_link.h"
#include "core/settings/card_settings.h"

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace zeph {

class ConnectionPage final : public QWidget {
  Q_OBJECT

 public:
  explicit ConnectionPage(QWidget* parent);
  // `status` is null when the control socket did not answer: the modem's
  // rows are then hidden, as for the emulator.
  void Show(uint32_t connectionState, const ServiceStatus* status);
  QString stateText() const;

 private:
  QFormLayout* form_;
  QLabel* state_;
  QLabel* service_;
  QLabel* manufacturer_;
  QLabel* model_;
  QLabel* operator_;
  QProgressBar* signal_;
  QLabel* note_;
};

class MessagesPage final : public QWidget {
  Q_OBJECT

 public:
  explicit MessagesPage(QWidget* parent);
  void Show(const CardSettings& settings);
  // `settings` with this page's values put in.
  void Collect(CardSettings& settings) const;

 private:
  QLineEdit* centre_;
  QCheckBox* replyPath_;
  QCheckBox* deliveryReports_;
  QCheckBox* option3_;
  QCheckBox* longMessages_;
};

class SimPage final : public QWidget {
  Q_OBJECT

 public:
  explicit SimPage(QWidget* parent);
  // `usage` is null when the phonebook could not be read.
  void Show(const CardSettings& settings, const SimUsage* usage);
  void Collect(CardSettings& settings) const;

 private:
  QLineEdit* ownNumber_;
  QLabel* phonebook_;
  QLabel* nameLimit_;
};

}  // namespace zeph
