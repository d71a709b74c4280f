#pragma once
// Desktop notices through the freedesktop notification service
// (org.freedesktop.Notifications) on a D-Bus connection. Every call is
// asynchronous: without a bus or a service a notice is simply not shown,
// and nothing waits for an answer.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <map>

class QDBusPendingCallWatcher;

namespace zeph {

class DesktopNotifier final : public QObject {
  Q_OBJECT

 public:
  // `appName` and `iconName` go with every notice; the icon is a theme name.
  DesktopNotifier(QDBusConnection bus, QString appName, QString iconName, QObject* parent);

  // Asks the service to show a notice whose default action is a click on
  // it. Returns the program's own number for the notice, never 0.
  int Show(const QString& title, const QString& body);
  // Withdraws the notice, also when the service has not answered Show yet.
  void Withdraw(int notice);

 signals:
  // The user clicked the notice (its default action).
  void Clicked(int notice);
  // The notice is gone: expired, dismissed, clicked or withdrawn.
  void Closed(int notice);

 private slots:
  void OnActionInvoked(uint id, const QString& action);
  void OnNotificationClosed(uint id, uint reason);

 private:
  void Shown(int notice, QDBusPendingCallWatcher* call);
  // Takes the answers to Show that have arrived but whose signal has not
  // been delivered yet: the service's signals about a notice (a click, a
  // close) can be delivered before the answer that says which notice it is.
  void TakeArrivedAnswers();
  // The program's number of the service's notice `id`, or 0.
  int NoticeOf(uint id) const;

  QDBusConnection bus_;
  QString appName_;
  QString iconName_;
  int last_ = 0;
  // The service's id of each notice on screen; 0 while Show is unanswered.
  std::map<int, uint> ids_;
  // The calls of the notices whose answer was not taken yet.
  std::map<int, QDBusPendingCallWatcher*> unanswered_;
};

}  // namespace zeph
