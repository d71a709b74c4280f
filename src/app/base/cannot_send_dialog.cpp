#include "app/base/cannot_send_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/base/control_id.h"
#include "core/settings/settings_store.h"

namespace zeph {

CannotSendDialog::CannotSendDialog(QWidget* owner, SettingsStore& settings)
    : QDialog(owner),
      settings_(settings),
      doNotShow_(new QCheckBox(QStringLiteral("&Do not show this message again"), this)) {
  setObjectName(QStringLiteral("CannotSendDialog"));
  setWindowTitle(QStringLiteral("Message Cannot Be Sent"));
  SetControlId(doNotShow_, ControlId::kDoNotShowAgain);

  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  auto* row = new QHBoxLayout;           // owned by the layout
  auto* icon = new QLabel(this);         // owned by the dialog
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop);
  row->addWidget(icon);
  auto* text = new QLabel(  // owned by the dialog
      QStringLiteral("The message cannot be sent because you are not using a GSM or GPRS "
                     "connection type. Your message will remain in Outbox until you change the "
                     "connection type."),
      this);
  text->setWordWrap(true);
  text->setMinimumWidth(300);
  row->addWidget(text, 1);
  layout->addLayout(row);
  layout->addWidget(doNotShow_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);  // owned by the dialog
  connect(buttons, &QDialogButtonBox::accepted, this, &CannotSendDialog::accept);
  layout->addWidget(buttons);
}

void CannotSendDialog::accept() {
  // Not saved: the warning simply shows again next time.
  (void)settings_.WriteSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting,
                                  doNotShow_->isChecked() ? 1 : 0);
  QDialog::accept();
}

void CannotSendDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

void ShowCannotSendWarning(QWidget* owner, SettingsStore& settings) {
  if (owner == nullptr) return;
  CannotSendDialog dialog(owner, settings);
  dialog.exec();
}

}  // namespace zeph
