#include "app/platform/desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace zeph {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
constexpr int kServerDecidesExpiry = -1;

QDBusMessage Call(const QString& method) {
  return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QString appName, QString iconName,
                                 QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      appName_(std::move(appName)),
      iconName_(std::move(iconName)) {
  // Any sender: the service may come to the bus after the program.
  bus_.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
               SLOT(OnActionInvoked(uint, QString)));
  bus_.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
               SLOT(OnNotificationClosed(uint, uint)));
}

int DesktopNotifier::Show(const QString& title, const QString& body) {
  const int notice = ++last_;
  ids_[notice] = 0;
  QDBusMessage notify = Call(QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("desktop-entry"), iconName_},
                          {QStringLiteral("category"), QStringLiteral("im.received")}};
  notify << appName_ << 0u << iconName_ << title << body
         << QStringList{kDefaultAction, QStringLiteral("Open")} << hints << kServerDecidesExpiry;
  // Owned by the notifier until it answers; a missing bus answers at once
  // with an error, a missing service within the bus's round trip.
  auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(notify), this);
  unanswered_[notice] = call;
  connect(call, &QDBusPendingCallWatcher::finished, this,
          [this, notice](QDBusPendingCallWatcher* done) {
            if (unanswered_.count(notice) != 0) Shown(notice, done);
          });
  return notice;
}

void DesktopNotifier::TakeArrivedAnswers() {
  const std::map<int, QDBusPendingCallWatcher*> waiting = unanswered_;
  for (const auto& [notice, call] : waiting) {
    if (call->isFinished()) Shown(notice, call);
  }
}

void DesktopNotifier::Shown(int notice, QDBusPendingCallWatcher* call) {
  unanswered_.erase(notice);
  call->deleteLater();
  const QDBusPendingReply<uint> reply = *call;
  const auto entry = ids_.find(notice);
  if (entry == ids_.end()) {
    // Withdrawn before the service answered.
    if (reply.isValid()) {
      bus_.asyncCall(Call(QStringLiteral("CloseNotification")) << reply.value());
    }
    return;
  }
  if (!reply.isValid() || reply.value() == 0) {
    ids_.erase(entry);  // no service, or a malformed answer: not shown
    emit Closed(notice);
    return;
  }
  entry->second = reply.value();
}

void DesktopNotifier::Withdraw(int notice) {
  TakeArrivedAnswers();
  const auto entry = ids_.find(notice);
  if (entry == ids_.end()) return;
  const uint id = entry->second;
  ids_.erase(entry);
  if (id != 0) bus_.asyncCall(Call(QStringLiteral("CloseNotification")) << id);
}

int DesktopNotifier::NoticeOf(uint id) const {
  for (const auto& [notice, shownId] : ids_) {
    if (shownId == id && id != 0) return notice;
  }
  return 0;
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& action) {
  TakeArrivedAnswers();
  const int notice = NoticeOf(id);
  if (notice != 0 && action == kDefaultAction) emit Clicked(notice);
}

void DesktopNotifier::OnNotificationClosed(uint id, uint reason) {
  static_cast<void>(reason);  // expired, dismissed or closed: gone alike
  TakeArrivedAnswers();
  const int notice = NoticeOf(id);
  if (notice == 0) return;
  ids_.erase(notice);
  emit Closed(notice);
}

}  // namespace zeph
