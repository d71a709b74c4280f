#include "app/cardsettings/card_settings_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/base/asker.h"
#include "app/cardsettings/card_settings_link.h"
#include "app/cardsettings/card_settings_pages.h"
#include "core/devicelink/result_codes.h"

namespace zeph {
namespace {

QString PartName(CardSettingPart part) {
  switch (part) {
    case CardSettingPart::kCentre:
      return QStringLiteral("the message centre number");
    case CardSettingPart::kSendOptions:
      return QStringLiteral("the send options");
    case CardSettingPart::kLongMessages:
      return QStringLiteral("the long-message setting");
    case CardSettingPart::kOwnNumber:
      return QStringLiteral("the own number");
    case CardSettingPart::kNone:
      break;
  }
  return QStringLiteral("the settings");
}

}  // namespace

CardSettingsWindow::CardSettingsWindow(CardSettingsServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      link_(new CardSettingsLink(services_.ipc, this)),  // owned by the window
      stack_(new QStackedWidget(this)),                  // owned by the window
      noService_(new QWidget(stack_)),                   // owned by the stack
      noServiceText_(new QLabel(noService_)),            // owned by the no-service page
      tabs_(new QTabWidget(stack_)),                     // owned by the stack
      connection_(new ConnectionPage(tabs_)),            // owned by the tabs
      messages_(new MessagesPage(tabs_)),                // owned by the tabs
      sim_(new SimPage(tabs_)),                          // owned by the tabs
      buttons_(new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this)),
      refresh_(new QTimer(this)) {  // owned by the window
  setObjectName(QStringLiteral("CardSettingsWindow"));
  setWindowTitle(QStringLiteral("Zeph SMS Card Settings"));

  noServiceText_->setWordWrap(true);
  noServiceText_->setAccessibleName(QStringLiteral("Card service status"));
  auto* retry = new QPushButton(QStringLiteral("&Retry"), noService_);  // owned by the page
  retry->setObjectName(QStringLiteral("retry"));
  retry->setAccessibleName(QStringLiteral("Retry"));
  auto* noServiceLayout = new QVBoxLayout(noService_);  // owned by the page
  noServiceLayout->addStretch(1);
  noServiceLayout->addWidget(noServiceText_);
  noServiceLayout->addWidget(retry, 0, Qt::AlignHCenter);
  noServiceLayout->addStretch(1);

  tabs_->setAccessibleName(QStringLiteral("Card settings pages"));
  tabs_->addTab(connection_, QStringLiteral("Co&nnection"));
  tabs_->addTab(messages_, QStringLiteral("&Messages"));
  tabs_->addTab(sim_, QStringLiteral("&SIM"));
  stack_->addWidget(noService_);
  stack_->addWidget(tabs_);

  QPushButton* apply = buttons_->button(QDialogButtonBox::Apply);
  apply->setText(QStringLiteral("&Apply"));
  apply->setAccessibleName(QStringLiteral("Apply"));
  apply->setDefault(true);
  buttons_->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));

  auto* layout = new QVBoxLayout(this);  // owned by the window
  layout->addWidget(stack_, 1);
  layout->addWidget(buttons_);

  connect(retry, &QPushButton::clicked, this, &CardSettingsWindow::Load);
  connect(apply, &QPushButton::clicked, this, &CardSettingsWindow::Apply);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(refresh_, &QTimer::timeout, link_, &CardSettingsLink::Refresh);
  connect(link_, &CardSettingsLink::Loaded, this, &CardSettingsWindow::ShowLoaded);
  connect(link_, &CardSettingsLink::Refreshed, this, &CardSettingsWindow::ShowConnection);
  connect(link_, &CardSettingsLink::Applied, this, &CardSettingsWindow::ShowApplied);
  ShowNoService(QStringLiteral("Reading the card's settings..."));
}

CardSettingsWindow::~CardSettingsWindow() = default;

bool CardSettingsWindow::connected() const {
  return stack_->currentWidget() == tabs_;
}

bool CardSettingsWindow::busy() const {
  return link_->busy();
}

void CardSettingsWindow::Load() {
  if (link_->busy()) return;
  ShowNoService(QStringLiteral("Reading the card's settings..."));
  link_->Load();
}

void CardSettingsWindow::ShowLoaded(const CardSettingsLoad& load) {
  if (load.opened != kResultOk) {
    ShowNoService(
        QStringLiteral("No card service is running, so the card's settings cannot be "
                       "shown. Start the card service, then choose Retry."));
    return;
  }
  if (!load.read.ok()) {
    ShowNoService(
        QStringLiteral("The card service did not give %1 (%2). Choose Retry to ask again.")
            .arg(PartName(load.read.failed), QString::fromStdString(ResultName(load.read.result))));
    return;
  }
  current_ = load.settings;
  messages_->Show(current_);
  sim_->Show(current_, load.haveUsage ? &load.usage : nullptr);
  stack_->setCurrentWidget(tabs_);
  ShowConnection(load.connection);
  buttons_->button(QDialogButtonBox::Apply)->setEnabled(true);
  refresh_->start(services_.refreshMs);
}

void CardSettingsWindow::ShowConnection(const ConnectionReport& report) {
  if (connected()) connection_->Show(report.state, report.told ? &report.status : nullptr);
}

void CardSettingsWindow::ShowNoService(const QString& why) {
  refresh_->stop();
  noServiceText_->setText(why);
  stack_->setCurrentWidget(noService_);
  buttons_->button(QDialogButtonBox::Apply)->setEnabled(false);
}

void CardSettingsWindow::Apply() {
  if (!connected() || link_->busy()) return;
  CardSettings wanted = current_;
  messages_->Collect(wanted);
  sim_->Collect(wanted);
  // Not twice while the card is still answering the first.
  buttons_->button(QDialogButtonBox::Apply)->setEnabled(false);
  link_->Apply(current_, wanted);
}

void CardSettingsWindow::ShowApplied(const CardSettingsResult& written,
                                     const CardSettings& current) {
  current_ = current;
  if (!written.ok()) {
    buttons_->button(QDialogButtonBox::Apply)->setEnabled(true);
    // The dialog stays open with what the user typed, so Apply can be tried again.
    if (services_.asker != nullptr)
      services_.asker->ShowFailure(
          QStringLiteral("The card did not take %1 (%2). Nothing after it was written.")
              .arg(PartName(written.failed), QString::fromStdString(ResultName(written.result))));
    return;
  }
  accept();
}

}  // namespace zeph
