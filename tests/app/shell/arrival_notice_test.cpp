// Arrival notices against a notification-service mock on a private session
// bus, with the card service's demo card (three messages waiting: Anna
// Berg's and David Lund's texts, Grete Müller's picture).

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <fstream>

#include "app/controls/module_list.h"
#include "app/folders/folder_list_view.h"
#include "app/platform/desktop_notifier.h"
#include "app/shell/frame_client.h"
#include "support/folders_fixture.h"

// The bus, the mock and the card service are other processes: on a loaded
// machine they answer late, never wrongly.
constexpr int kServiceWaitMs = 30000;

namespace zeph::testing {
namespace {

const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kBusName = QStringLiteral("arrival-notice-test");

class ArrivalNoticeTest : public FoldersFixture {
 protected:
  ArrivalNoticeTest() {
    const std::string address = "unix:path=" + folder.File("session-bus");
    std::ofstream(folder.File("session.conf"))
        << "<busconfig><type>session</type><listen>" << address
        << "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\""
           " eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
           "</busconfig>\n";
    daemon_ = SpawnChild({"/usr/bin/dbus-daemon", "--config-file=" + folder.File("session.conf"),
                          "--nofork", "--nopidfile"},
                         folder.File("session-bus.log"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(folder.File("session-bus")); },
                                kServiceWaitMs));
    bus_ = QDBusConnection::connectToBus(QString::fromStdString(address), kBusName);
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    mock_ = SpawnChild({"/usr/bin/python3", "-m", "dbusmock", "--template", "notification_daemon",
                        "-l", folder.File("notices.log")},
                       folder.File("mock.log"));
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return bus_.interface()->isServiceRegistered(kNotifications).value(); },
        kServiceWaitMs))
        << "the notification-service mock did not start";
    notifier_ = std::make_unique<DesktopNotifier>(bus_, QStringLiteral("Zeph SMS"),
                                                  QStringLiteral("zephsms"), nullptr);
    setup.notifier = notifier_.get();
  }
  ~ArrivalNoticeTest() override {
    frame.reset();
    notifier_.reset();
    QDBusConnection::disconnectFromBus(kBusName);
    KillChild(mock_);
    KillChild(daemon_);
  }

  // The frame on screen, but another window the active one.
  void WorkElsewhere() {
    elsewhere_.show();
    elsewhere_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere_, kServiceWaitMs));
    ASSERT_FALSE(frame->isActiveWindow());
  }

  // Delivers the messages, then runs the arrival check by hand until the
  // Inbox holds `count` records: one pass takes all of them.
  void Arrive(const std::vector<nlohmann::json>& messages, int count) {
    const_cast<QTimer*>(Inbox()->ArrivalTimer())->stop();
    for (const nlohmann::json& message : messages) Deliver(message);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          Inbox()->CheckArrivals();
          return store.Lists().inbox.Count() == count;
        },
        kServiceWaitMs));
  }

  // What the mock was asked, after every call sent so far reached it (a
  // call on the notifier's own connection answers after them): the
  // arguments of each call to `method`.
  std::vector<std::string> Calls(const std::string& method) {
    bus_.call(QDBusMessage::createMethodCall(kNotifications, "/org/freedesktop/Notifications",
                                             kNotifications, "GetServerInformation"));
    std::ifstream log(folder.File("notices.log"));
    std::vector<std::string> calls;
    for (std::string line; std::getline(log, line);) {
      const size_t name = line.find(' ') + 1;
      if (line.compare(name, method.size() + 1, method + " ") == 0) {
        calls.push_back(line.substr(name + method.size() + 1));
      }
    }
    return calls;
  }

  void Invoke(uint notice) {
    QDBusMessage invoke =
        QDBusMessage::createMethodCall(kNotifications, "/org/freedesktop/Notifications",
                                       "org.freedesktop.DBus.Mock", "EmitSignal");
    invoke << kNotifications << QStringLiteral("ActionInvoked") << QStringLiteral("us")
           << QVariantList{notice, QStringLiteral("default")};
    ASSERT_EQ(bus_.call(invoke).type(), QDBusMessage::ReplyMessage);
  }

  QString InboxEntry() const { return frame->Client()->List()->item(0)->text(); }

  pid_t daemon_ = -1;
  pid_t mock_ = -1;
  QDBusConnection bus_{QString()};
  std::unique_ptr<DesktopNotifier> notifier_;
  QWidget elsewhere_;
};

TEST_F(ArrivalNoticeTest, OneNoticePerPassAClickOpensTheInboxOnItsMessageAndReadingWithdrawsIt) {
  frame = MakeFrame(0);
  frame->OpenModule(4);
  // Start-up took the demo card's three while the frame was not yet shown:
  // no notice. Anna Berg's, selected by the refresh, is read; the picture
  // never counts as unread.
  EXPECT_EQ(InboxEntry(), "Inbox (1)");
  EXPECT_EQ(frame->windowTitle(), "Inbox (1) - Tavik Short Messaging");
  WorkElsewhere();

  Arrive({{{"text", "Dinner?\nAt eight"}, {"from", "+15550105"}},
          {{"text", "On my way"}, {"from", "+15550199"}},
          {{"type", "picture"}, {"picture", std::string(504, 'f')}, {"from", "+15550105"}}},
         6);
  Arrive({{{"text", "Dinner?\nAt nine"}, {"from", "+15550105"}}}, 7);
  EXPECT_EQ(
      Calls("Notify"),
      (std::vector<std::string>{
          R"("Zeph SMS" 0 "zephsms" "3 new messages" "Eva Novak, +15550199" ["default", "Open"] {"category": "im.received", "desktop-entry": "zephsms"} -1)",
          R"("Zeph SMS" 0 "zephsms" "Eva Novak" "Dinner?" ["default", "Open"] {"category": "im.received", "desktop-entry": "zephsms"} -1)"}));
  EXPECT_EQ(InboxEntry(), "Inbox (4)");

  // The second notice's click: the Inbox in front, its message selected and
  // read, and the notice withdrawn.
  Invoke(2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->CurrentIndex() == 0; }, kServiceWaitMs));
  EXPECT_EQ(Inbox()->SelectedKey(), 6);
  EXPECT_EQ(Calls("CloseNotification"), std::vector<std::string>{"2"});
  EXPECT_EQ(InboxEntry(), "Inbox (3)");

  // The first goes when the last of its three messages was read.
  Inbox()->List()->SelectRow(3);
  Inbox()->List()->SelectRow(4);
  EXPECT_EQ(Calls("CloseNotification").size(), 1u);
  Inbox()->List()->SelectRow(5);
  EXPECT_EQ(Calls("CloseNotification"), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(InboxEntry(), "Inbox (1)");
  EXPECT_EQ(frame->windowTitle(), "Inbox (1) - Tavik Short Messaging");
}

TEST_F(ArrivalNoticeTest, NoNoticeWithTheSettingOffOrTheFrameActiveAndNoServiceFailsNothing) {
  frame = MakeFrame(0);
  WorkElsewhere();
  settings.WriteSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, 0);
  Arrive({{{"text", "Quiet"}}}, 4);
  settings.WriteSettingInt(kAppSettingsSection, "", kNotifyOnArrivalSetting, 1);
  frame->BringToFront();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), kServiceWaitMs));
  Arrive({{{"text", "Seen"}}}, 5);
  EXPECT_TRUE(Calls("Notify").empty());

  // Without the service the notice is dropped, and the program goes on.
  KillChild(mock_);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !bus_.interface()->isServiceRegistered(kNotifications).value(); },
      kServiceWaitMs));
  WorkElsewhere();
  QSignalSpy dropped(notifier_.get(), &DesktopNotifier::Closed);
  Arrive({{{"text", "Nobody listens"}}}, 6);
  ASSERT_TRUE(dropped.wait());
  Arrive({{{"text", "Still here"}}}, 7);
  EXPECT_EQ(InboxEntry(), "Inbox (5)");
}

}  // namespace
}  // namespace zeph::testing
