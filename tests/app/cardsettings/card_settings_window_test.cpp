// zephui's window against a private card service: Apply writes and closes,
// a refused write shows the error box and keeps the window, no service says
// so and Retry finds one that came up.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <nlohmann/json.hpp>

#include "app/cardsettings/card_settings_window.h"
#include "support/accessible_names.h"
#include "support/app_fixture.h"
#include "support/card_service_process.h"

// The bus, the mock and the card service are other processes: on a loaded
// machine they answer late, never wrongly.
constexpr int kServiceWaitMs = 30000;

namespace zeph::testing {
namespace {

template <typename T>
T* Named(QWidget* window, const QString& accessibleName) {
  for (T* child : window->findChildren<T*>())
    if (child->accessibleName() == accessibleName) return child;
  ADD_FAILURE() << "no control " << accessibleName.toStdString();
  return nullptr;
}

class CardSettingsWindowTest : public ::testing::Test {
 protected:
  CardSettingsServices Services() {
    CardSettingsServices services;
    services.ipc = ServicePipeOptions(folder);
    services.asker = &asker;
    services.refreshMs = 20;
    return services;
  }
  // The window asks the service on a thread of its own; this waits for the answer.
  static void Settle(const CardSettingsWindow& window) {
    ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.busy(); }, kServiceWaitMs));
  }
  nlohmann::json Show() { return nlohmann::json::parse(service->Control(R"({"verb":"show"})")); }
  TempFolder folder;
  std::unique_ptr<CardServiceProcess> service;
  ScriptedAsker asker;
};

TEST_F(CardSettingsWindowTest, ApplyWritesWhatChangedAndARefusalKeepsTheWindowOpen) {
  service = std::make_unique<CardServiceProcess>(folder, std::vector<std::string>{"--demo"});
  CardSettingsWindow window(Services());
  window.show();
  window.Load();
  Settle(window);
  ASSERT_TRUE(window.connected());
  EXPECT_EQ(Unnamed(&window), QStringList());
  EXPECT_EQ(Named<QLineEdit>(&window, "Message centre number")->text(), "+15550000");
  EXPECT_EQ(Named<QLabel>(&window, "Phonebook entries")->text(), "8 of 250 entries used");
  EXPECT_EQ(Named<QLabel>(&window, "Connection state")->text(), "GSM, ready to send");

  service->Control(R"({"verb":"fault","errorReply":)" + std::to_string(0x290006) + "}");
  // Keys alone, as a user without a mouse: each page and control by its letter.
  QApplication::setActiveWindow(&window);
  auto press = [&window](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::AltModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, key, modifiers);
  };
  press(Qt::Key_M);
  press(Qt::Key_C);
  press(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "+4917000999");
  for (Qt::Key option : {Qt::Key_D, Qt::Key_3, Qt::Key_L}) press(option);
  // A check box's letter clicks it a moment later.
  ASSERT_TRUE(QTest::qWaitFor(
      [&window] { return !Named<QCheckBox>(&window, "Allow long messages")->isChecked(); },
      kServiceWaitMs));
  press(Qt::Key_S);
  press(Qt::Key_O);
  press(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "+4917012345");
  press(Qt::Key_Return, {});  // Apply is the default button
  Settle(window);
  ASSERT_EQ(asker.failures.size(), 1u);
  EXPECT_TRUE(asker.failures[0].contains("send options")) << asker.failures[0].toStdString();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Show()["centre"], "+4917000999");  // written before the refusal
  EXPECT_EQ(Show()["sendOptions"]["option3"], 0);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the fault was for one request
  Settle(window);
  EXPECT_EQ(asker.failures.size(), 1u);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(window.isVisible());
  const nlohmann::json card = Show();
  EXPECT_EQ(card["sendOptions"]["deliveryReports"], 0);
  EXPECT_EQ(card["sendOptions"]["option3"], 1);
  EXPECT_EQ(card["longMessages"], 0);
  EXPECT_EQ(card["ownNumber"], "+4917012345");
}

TEST_F(CardSettingsWindowTest, WithoutAServiceItSaysSoAndRetryFindsOne) {
  CardSettingsWindow window(Services());
  window.show();
  window.Load();
  Settle(window);
  EXPECT_FALSE(window.connected());
  EXPECT_FALSE(Named<QPushButton>(&window, "Apply")->isEnabled());
  EXPECT_TRUE(Named<QLabel>(&window, "Card service status")->text().startsWith("No card service"));
  EXPECT_EQ(Unnamed(&window), QStringList());
  service = std::make_unique<CardServiceProcess>(folder);
  QTest::mouseClick(Named<QPushButton>(&window, "Retry"), Qt::LeftButton);
  Settle(window);
  EXPECT_TRUE(window.connected());
  EXPECT_TRUE(Named<QPushButton>(&window, "Apply")->isEnabled());
  service->Control(R"({"verb":"connection","state":"searching"})");  // seen while open
  EXPECT_TRUE(QTest::qWaitFor(
      [&window] {
        return Named<QLabel>(&window, "Connection state")->text() == "Searching for a network";
      },
      kServiceWaitMs));
  QTest::mouseClick(Named<QPushButton>(&window, "Cancel"), Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(CardSettingsWindowTest, ASlowCardLeavesTheWindowUsable) {
  service =
      std::make_unique<CardServiceProcess>(folder, std::vector<std::string>{"--delay", "60000"});
  CardSettingsWindow window(Services());
  window.show();
  window.Load();
  QCoreApplication::processEvents();  // a load run on the window's thread would be shown by now
  EXPECT_TRUE(window.busy());
  EXPECT_TRUE(Named<QLabel>(&window, "Card service status")->text().startsWith("Reading"));
  QTest::mouseClick(Named<QPushButton>(&window, "Cancel"), Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Rejected);
}  // the window's end cancels the request under way

}  // namespace
}  // namespace zeph::testing
