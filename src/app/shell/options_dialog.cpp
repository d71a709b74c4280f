#include "app/shell/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <limits>

#include "app/base/control_id.h"
#include "app/base/texts.h"
#include "app/platform/card_link.h"
#include "core/settings/settings_store.h"

namespace zeph {
namespace {

// The chat name goes into a 64-byte setting with its terminator.
constexpr int kChatNameLength = 63;
constexpr int kDialogWidth = 360;

// The hours field as an unsigned decimal; an empty field, or one whose
// number does not fit 32 bits, reads as 0.
uint32_t ReadUnsigned(const QString& text) {
  bool ok = false;
  const qulonglong value = text.trimmed().toULongLong(&ok);
  if (!ok || value > std::numeric_limits<uint32_t>::max()) return 0;
  return static_cast<uint32_t>(value);
}

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent, SettingsStore& settings, CardLink& link)
    : QDialog(parent),
      settings_(settings),
      centreNumber_(new QLineEdit(this)),  // owned by the dialog
      hours_(new QLineEdit(this)),         // owned by the dialog
      chatName_(new QLineEdit(this)),      // owned by the dialog
      onTop_(new QCheckBox(QStringLiteral("&Always show chat window on top"), this)),
      notify_(new QCheckBox(QStringLiteral("Notify me when a message arrives"), this)) {
  setObjectName(QStringLiteral("OptionsDialog"));
  setWindowTitle(QStringLiteral("Options"));
  SetControlId(centreNumber_, ControlId::kCentreNumberOrDate);
  SetControlId(hours_, ControlId::kChatHours);
  SetControlId(chatName_, ControlId::kNameField);
  SetControlId(onTop_, ControlId::kChatOnTop);
  notify_->setObjectName(QStringLiteral("NotifyOnArrival"));
  centreNumber_->setReadOnly(true);
  hours_->setValidator(new QRegularExpressionValidator(  // owned by the dialog
      QRegularExpression(QStringLiteral("[0-9]*")), this));
  chatName_->setMaxLength(kChatNameLength);

  auto* layout = new QVBoxLayout(this);                                  // owned by the dialog
  auto* centre = new QGroupBox(QStringLiteral("Message Centre"), this);  // owned by the dialog
  auto* centreLayout = new QFormLayout(centre);                          // owned by the group
  centreLayout->addRow(QStringLiteral("Number:"), centreNumber_);
  auto* centreNote = new QLabel(  // owned by the group
      QStringLiteral(
          "Message centre number can be changed on the Settings page of the Tavik Zeph."),
      centre);
  centreNote->setWordWrap(true);
  centreLayout->addRow(centreNote);
  layout->addWidget(centre);

  auto* chat = new QGroupBox(QStringLiteral("Chat"), this);  // owned by the dialog
  auto* chatLayout = new QFormLayout(chat);                  // owned by the group
  auto* hoursText = new QLabel(                              // owned by the group
      QStringLiteral("Number of hours for which the chat messages are shown in the Chat window:"),
      chat);
  hoursText->setWordWrap(true);
  // Without its label as buddy, the field would be announced by the
  // group's title.
  hoursText->setBuddy(hours_);
  chatLayout->addRow(hoursText);
  chatLayout->addRow(hours_);
  chatLayout->addRow(QStringLiteral("Chat name:"), chatName_);
  chatLayout->addRow(onTop_);
  layout->addWidget(chat);
  layout->addWidget(notify_);

  auto* buttons =  // owned by the dialog
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // The wrapped texts take their height at the dialog's own width; sized
  // from its narrower natural width, the dialog kept the height of a third
  // line as an empty band in the Message Centre group.
  setMinimumWidth(kDialogWidth);
  resize(kDialogWidth, layout->totalHeightForWidth(kDialogWidth));
  centreNumber_->setFocusPolicy(Qt::ClickFocus);
  chatName_->setFocus();

  std::string name;
  if (settings_.ReadSettingString(kAppSettingsSection, "", kOwnNameSetting, &name,
                                  kOwnNameBufferSize)) {
    chatName_->setText(FromCp1252(name));
  }
  std::string number;
  if (link.ReadCentreNumber(&number) == 0) centreNumber_->setText(FromCp1252(number));
  int value = 0;
  if (settings_.ReadSettingInt(kAppSettingsSection, "", kChatHoursSetting, &value)) {
    hours_->setText(QString::number(static_cast<uint32_t>(value)));
  }
  if (settings_.ReadSettingInt(kAppSettingsSection, "", kChatOnTopSetting, &value)) {
    onTop_->setChecked(value != 0);
  }
  notify_->setChecked(NotifyOnArrival(settings_));
}

void OptionsDialog::accept() {
  // The options report nothing: a value not saved keeps its old one.
  (void)settings_.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting,
                                     ToCp1252(chatName_->text().left(kChatNameLength)));
  (void)settings_.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting,
                                  static_cast<int>(ReadUnsigned(hours_->text())));
  (void)settings_.WriteSettingInt(kAppSettingsSection, "", kChatOnTopSetting,
                                  onTop_->isChecked() ? 1 : 0);
  (void)settings_.WriteSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting,
                                  notify_->isChecked() ? 1 : 0);
  QDialog::accept();
}

}  // namespace zeph
