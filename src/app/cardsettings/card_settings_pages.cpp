#include "app/cardsettings/card_settings_pages.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include "app/base/texts.h"
#include "core/devicelink/wire_layout.h"

namespace zeph {
namespace {

// A value shown as text: announced by its own name, since a label is not
// the buddy of another label.
QLabel* ValueLabel(const QString& accessibleName, QWidget* parent) {
  auto* label = new QLabel(parent);  // owned by the page
  label->setAccessibleName(accessibleName);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLineEdit* NumberEdit(const QString& accessibleName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);  // owned by the page
  edit->setAccessibleName(accessibleName);
  edit->setMaxLength(static_cast<int>(wire::kMaxNumberLength));
  return edit;
}

QCheckBox* Option(const QString& text, const QString& accessibleName, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);  // owned by the group
  box->setAccessibleName(accessibleName);
  return box;
}

QString ConnectionText(uint32_t state) {
  switch (ConnectionKindOf(state)) {
    case ConnectionKind::kNone:
      return QStringLiteral("No connection");
    case ConnectionKind::kSearching:
      return QStringLiteral("Searching for a network");
    case ConnectionKind::kGsm:
      return QStringLiteral("GSM, ready to send");
    case ConnectionKind::kGprs:
      return QStringLiteral("GPRS, ready to send");
    case ConnectionKind::kOther:
      break;
  }
  return QStringLiteral("Unknown (0x%1)").arg(state, 0, 16);
}

}  // namespace

ConnectionPage::ConnectionPage(QWidget* parent)
    : QWidget(parent),
      form_(new QFormLayout(this)),  // owned by the page
      state_(ValueLabel(QStringLiteral("Connection state"), this)),
      service_(ValueLabel(QStringLiteral("Card service"), this)),
      manufacturer_(ValueLabel(QStringLiteral("Manufacturer"), this)),
      model_(ValueLabel(QStringLiteral("Model"), this)),
      operator_(ValueLabel(QStringLiteral("Operator"), this)),
      signal_(new QProgressBar(this)),  // owned by the page
      note_(ValueLabel(QStringLiteral("Note"), this)) {
  signal_->setRange(0, 100);
  signal_->setAccessibleName(QStringLiteral("Signal quality"));
  note_->setWordWrap(true);
  form_->addRow(QStringLiteral("State:"), state_);
  form_->addRow(QStringLiteral("Card service:"), service_);
  form_->addRow(QStringLiteral("Manufacturer:"), manufacturer_);
  form_->addRow(QStringLiteral("Model:"), model_);
  form_->addRow(QStringLiteral("Operator:"), operator_);
  form_->addRow(QStringLiteral("Signal quality:"), signal_);
  form_->addRow(note_);
  Show(0, nullptr);
}

void ConnectionPage::Show(uint32_t connectionState, const ServiceStatus* status) {
  state_->setText(ConnectionText(connectionState));
  const std::string backend = status != nullptr ? status->backend : std::string();
  service_->setText(backend == "emulator" ? QStringLiteral("The emulated card")
                    : backend == "modem"  ? QStringLiteral("A modem, through ModemManager")
                                          : QStringLiteral("Unknown"));
  const bool modem = status != nullptr && status->hasModem;
  for (int row = 2; row < form_->rowCount(); ++row) form_->setRowVisible(row, modem);
  if (!modem) return;
  auto text = [](const std::string& value) {
    return value.empty() ? QStringLiteral("Unknown") : QString::fromStdString(value);
  };
  manufacturer_->setText(text(status->manufacturer));
  model_->setText(text(status->model));
  QString operatorText = text(status->operatorName);
  if (!status->registration.empty())
    operatorText += QStringLiteral(" (%1)").arg(QString::fromStdString(status->registration));
  operator_->setText(operatorText);
  signal_->setValue(status->signalQuality);
  note_->setText(QString::fromStdString(status->note));
  form_->setRowVisible(note_, !status->note.empty());
}

QString ConnectionPage::stateText() const {
  return state_->text();
}

MessagesPage::MessagesPage(QWidget* parent)
    : QWidget(parent), centre_(NumberEdit(QStringLiteral("Message centre number"), this)) {
  auto* layout = new QVBoxLayout(this);  // owned by the page
  auto* centre = new QFormLayout;        // owned by the page's layout
  centre->addRow(QStringLiteral("Message &centre number:"), centre_);
  layout->addLayout(centre);

  auto* options = new QGroupBox(QStringLiteral("Send options"), this);  // owned by the page
  auto* optionsLayout = new QVBoxLayout(options);                       // owned by the group
  replyPath_ = Option(QStringLiteral("&Reply path: replies come through my message centre"),
                      QStringLiteral("Reply path"), options);
  deliveryReports_ = Option(QStringLiteral("&Delivery reports: report when a message arrives"),
                            QStringLiteral("Delivery reports"), options);
  option3_ =
      Option(QStringLiteral("Card send option &3"), QStringLiteral("Card send option 3"), options);
  optionsLayout->addWidget(replyPath_);
  optionsLayout->addWidget(deliveryReports_);
  optionsLayout->addWidget(option3_);
  layout->addWidget(options);

  auto* longGroup = new QGroupBox(QStringLiteral("Long messages"), this);  // owned by the page
  auto* longLayout = new QVBoxLayout(longGroup);                           // owned by the group
  longMessages_ = Option(QStringLiteral("Allow &long messages, sent as several linked parts"),
                         QStringLiteral("Allow long messages"), longGroup);
  longLayout->addWidget(longMessages_);
  layout->addWidget(longGroup);
  layout->addStretch(1);
}

void MessagesPage::Show(const CardSettings& settings) {
  centre_->setText(FromCp1252(settings.centre.number));
  replyPath_->setChecked(settings.sendOptions.replyPath != 0);
  deliveryReports_->setChecked(settings.sendOptions.deliveryReports != 0);
  option3_->setChecked(settings.sendOptions.option3 != 0);
  longMessages_->setChecked(settings.longMessages);
}

void MessagesPage::Collect(CardSettings& settings) const {
  settings.centre.number = ToCp1252(centre_->text().trimmed());
  // A set option keeps the value the card gave it (any non-zero value means on).
  auto option = [](const QCheckBox* box, uint32_t was) -> uint32_t {
    return box->isChecked() ? (was != 0 ? was : 1) : 0;
  };
  settings.sendOptions.replyPath = option(replyPath_, settings.sendOptions.replyPath);
  settings.sendOptions.deliveryReports =
      option(deliveryReports_, settings.sendOptions.deliveryReports);
  settings.sendOptions.option3 = option(option3_, settings.sendOptions.option3);
  settings.longMessages = longMessages_->isChecked();
}

SimPage::SimPage(QWidget* parent)
    : QWidget(parent),
      ownNumber_(NumberEdit(QStringLiteral("Own number"), this)),
      phonebook_(ValueLabel(QStringLiteral("Phonebook entries"), this)),
      nameLimit_(ValueLabel(QStringLiteral("Longest name"), this)) {
  auto* form = new QFormLayout(this);  // owned by the page
  form->addRow(QStringLiteral("&Own number:"), ownNumber_);
  form->addRow(QStringLiteral("Phonebook:"), phonebook_);
  form->addRow(QStringLiteral("Longest name:"), nameLimit_);
}

void SimPage::Show(const CardSettings& settings, const SimUsage* usage) {
  ownNumber_->setText(FromCp1252(settings.ownNumber));
  if (usage == nullptr) {
    phonebook_->setText(QStringLiteral("Could not be read"));
    nameLimit_->setText(QStringLiteral("Unknown"));
    return;
  }
  phonebook_->setText(
      QStringLiteral("%1 of %2 entries used").arg(usage->used).arg(usage->capacity));
  nameLimit_->setText(QStringLiteral("%1 characters").arg(usage->nameLimit));
}

void SimPage::Collect(CardSettings& settings) const {
  settings.ownNumber = ToCp1252(ownNumber_->text().trimmed());
}

}  // namespace zeph
