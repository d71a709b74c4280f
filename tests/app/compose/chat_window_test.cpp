#include "app/compose/chat_window.h"

#include <QAbstractItemModelTester>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <cerrno>
#include <cstring>

#include "app/compose/chat_list.h"
#include "app/compose/chat_opener.h"
#include "app/controls/action_bar.h"
#include "app/controls/message_text_control.h"
#include "core/store/message_file.h"
#include "core/util/atomic_file.h"
#include "support/accessible_names.h"
#include "support/app_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

constexpr const char* kAnna = "+447700900123";

class FixedClock final : public Clock {
 public:
  uint32_t TickCount() const override { return 0; }
  RecordTime LocalTime() const override { return At(2026, 12, 5, 12, 0); }
};

class ChatWindowTest : public AppFixture {
 protected:
  void SetUp() override {
    services.clock = &fixedClock;
    settings.WriteSettingString(kAppSettingsSection, "", kOwnNameSetting, "Bea");
    settings.WriteSettingInt(kAppSettingsSection, "", kChatHoursSetting, 1);
    // The fake link has no card service: no "Message Cannot Be Sent" box.
    settings.WriteSettingInt(kAppSettingsSection, "", kCanNotSendWarningSetting, 1);
    AppLists& lists = store.Lists();
    lists.contacts.Add(Contact("Anna", "07700900123"));
    lists.inbox.Add(Message(kAnna, "Are you coming?", At(2026, 12, 5, 11, 40)));
    lists.sent.Add(Message("07700900123", "On my way", At(2026, 12, 5, 11, 45), MRF_OUTGOING));
  }

  ChatWindow* Open(const MessageRecord& seed) {
    opener = std::make_unique<ChatOpener>(ChatSetup{services, &owner,
                                                    [this](QWidget*) { return chosenPicture; },
                                                    [this](QWidget*) { return savePath; }});
    QObject::connect(opener.get(), &ChatOpener::Opened,
                     [this](const std::string& number) { partners.push_back(number); });
    QObject::connect(opener.get(), &ChatOpener::Closed, [this] { partners.push_back("closed"); });
    ChatWindow* window = opener->Open(seed, true);
    QApplication::processEvents();
    return window;
  }

  ChatWindow* OpenOnTheInbox() { return Open(*store.Lists().inbox.GetAt(0)); }

  // The window as its user sees it: the rows, then the current row, the counter and the status.
  static std::string Shown(const ChatWindow& window) {
    std::string shown;
    const ChatListModel& model = window.List()->Model();
    for (int i = 0; i < model.rowCount(); ++i) {
      const ChatRow* row = model.RowAt(i);
      shown += row->speaker.toStdString() + ": " + row->text.value_or(QString()).toStdString() +
               (row->picture ? " [p]|" : "|");
    }
    return shown + " @" + std::to_string(window.List()->currentIndex().row()) + " " +
           window.Counter()->text().toStdString() + " " +
           window.StatusLine()->currentMessage().toStdString();
  }

  static void Type(ChatWindow& window, const QString& text) {
    QTest::keyClicks(window.TextControl()->Edit(), text);
  }

  FixedClock fixedClock;
  QWidget owner;
  int chosenPicture = 0;
  QString savePath;
  std::unique_ptr<ChatOpener> opener;
  std::vector<std::string> partners;  // what the opener said: a partner's number or "closed"
};

TEST_F(ChatWindowTest, OpensOnThePartnersConversationFromTheStores) {
  AppLists& lists = store.Lists();
  PictureImage picture{};
  picture[0] = 0x80;
  auto drawing = Message("07700900123", "", At(2026, 12, 5, 11, 50), MRF_PICTURE);
  drawing->picture = picture;
  lists.inbox.Add(std::move(drawing));
  lists.inbox.Add(Message(kAnna, "yesterday", At(2026, 12, 4, 11, 0)));

  ChatWindow* window = OpenOnTheInbox();  // which messages are the conversation is core's
  ASSERT_NE(window, nullptr);
  QAbstractItemModelTester tester(window->List()->model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  // The seed gave way to the conversation it matched; it opens on Anna's message, so it says
  // when her last one came (on Saturday).
  const std::string conversation = "Anna: Are you coming?|Bea: On my way|Anna:  [p]|";
  const std::string received = " 160(1) Last Message Received: " +
                               QLocale::system().dayName(6, QLocale::ShortFormat).toStdString();
  EXPECT_EQ(Shown(*window), conversation + " @2" + received + " 05.12.2026 11:50");
  EXPECT_EQ(window->findChild<QLineEdit*>()->text(), "Anna <+447700900123>");
  // Every control the keyboard reaches has a name; the partner field's is its label.
  EXPECT_EQ(Unnamed(window), QStringList());
  EXPECT_EQ(AccessibleName(window->findChild<QLineEdit*>()), "Chat with ");

  // A second request while the window is open changes nothing.
  EXPECT_EQ(opener->Open(*lists.inbox.GetAt(2), true), nullptr);  // the rows below show it

  // The opener says who the partner is and carries reception's arrivals to the window.
  EXPECT_EQ(partners, (std::vector<std::string>{"+447700900123"}));
  lists.chat.Add(Message(kAnna, "Where are you?", At(2026, 12, 5, 12, 3)));
  opener->ConversationAppended();
  EXPECT_EQ(Shown(*window),
            conversation + "Anna: Where are you?| @3" + received + " 05.12.2026 12:03");

  // Escape closes it: the opener says so and the chat list is emptied.
  QTest::keyClick(window->TextControl()->Edit(), Qt::Key_Escape);
  EXPECT_EQ(opener->Window(), nullptr);
  EXPECT_EQ(partners.back(), "closed");
  EXPECT_EQ(lists.chat.Count(), 0);
  EXPECT_NE(opener->Open(*lists.inbox.GetAt(0), true), nullptr);
}

TEST_F(ChatWindowTest, SendQueuesTheMessageAndShowsItAtTheBottom) {
  ChatWindow* window = OpenOnTheInbox();
  ASSERT_NE(window, nullptr);
  AppLists& lists = store.Lists();

  // Nothing written: nothing is queued, the text takes the focus.
  window->List()->setFocus();
  window->SendButton()->click();
  EXPECT_EQ(CountLocked(lists.outbox), 0);
  EXPECT_EQ(window->focusWidget(), window->TextControl()->Edit());

  Type(*window, "See you");
  EXPECT_EQ(window->Counter()->text(), "153(1)");
  window->SendButton()->click();
  // The record itself is core's (chat_session_test); here it is queued,
  // saved and shown.
  ASSERT_EQ(CountLocked(lists.outbox), 1);
  MessageList saved;
  EXPECT_EQ(LoadMessageFile(store.Paths().outbox, saved), 1);
  EXPECT_EQ(Shown(*window),
            "Anna: Are you coming?|Bea: On my way|Bea: See you| @2 160(1) Sending...");
  EXPECT_TRUE(window->TextControl()->Text().empty());

  // Ctrl+Enter breaks the line (Enter sends: the keyboard test).
  Type(*window, "one");
  QTest::keyClick(window->TextControl()->Edit(), Qt::Key_Return, Qt::ControlModifier);
  Type(*window, "two");
  window->Send();
  ASSERT_EQ(CountLocked(lists.outbox), 2);
  EXPECT_EQ(TextOf(*RecordLocked(lists.outbox, 1)), "one\r\ntwo");
}

TEST_F(ChatWindowTest, PicturesComeFromTheLibraryAndGoWithTheButton) {
  PictureImage first{}, second{};
  second[5] = 0xFF;
  store.Lists().pictures.Add(std::make_unique<PictureImage>(first));
  store.Lists().pictures.Add(std::make_unique<PictureImage>(second));
  ChatWindow* window = OpenOnTheInbox();
  ASSERT_NE(window, nullptr);
  QToolButton* remove = window->Bar()->ButtonAt(ChatWindow::kRemovePicture);
  EXPECT_FALSE(remove->isEnabled());

  chosenPicture = 2;
  QApplication::setActiveWindow(window);
  QTest::keyClick(window->TextControl()->Edit(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(window->TextControl()->Picture(), second);
  EXPECT_TRUE(remove->isEnabled());
  EXPECT_EQ(window->Counter()->text(), "121(3)");
  // The text's popup saves the picture to the library, here once the library lost it.
  ASSERT_EQ(store.Lists().pictures.RemoveAt(1), 1);
  window->TextControl()->SavePictureAction()->trigger();
  EXPECT_EQ(store.Lists().pictures.Count(), 2);
  window->RemovePicture();
  EXPECT_FALSE(window->TextControl()->HasPicture());
  EXPECT_FALSE(remove->isEnabled());
}

TEST_F(ChatWindowTest, SaveAsTextWritesTheTranscriptOrSaysWhyNot) {
  ChatWindow* window = OpenOnTheInbox();
  ASSERT_NE(window, nullptr);
  savePath = documents.filePath(QStringLiteral("chat.txt"));
  QApplication::setActiveWindow(window);
  QTest::keyClick(window->TextControl()->Edit(), Qt::Key_S, Qt::ControlModifier);
  const std::vector<uint8_t> file =
      ReadWholeFile(savePath.toStdString()).value_or(std::vector<uint8_t>{});
  EXPECT_EQ(std::string(file.begin(), file.end()),
            "Anna says:\r\n  Are you coming?\r\n   05.12 2026 11:40\r\n\r\n"
            "Bea says:\r\n  On my way\r\n   05.12 2026 11:45\r\n\r\n");

  // A folder that cannot be written (a file in its place, also for root): nothing, and why.
  savePath = documents.filePath(QStringLiteral("chat.txt/again.txt"));
  window->SaveAsText();
  EXPECT_EQ(asker.failures, std::vector<QString>{"Could not save \"" + savePath +
                                                 "\": " + std::strerror(ENOTDIR) + "."});

  QStringList seen;  // title, file, suffix, filters, asks before overwriting
  const auto cancel = OnNextModal([&seen](QWidget* modal) {
    auto* shown = qobject_cast<QFileDialog*>(modal);
    if (shown == nullptr) return;
    seen = {shown->windowTitle(), shown->selectedFiles().value(0), shown->defaultSuffix(),
            shown->nameFilters().join(u';'),
            QString::number(shown->acceptMode() == QFileDialog::AcceptSave &&
                            !shown->testOption(QFileDialog::DontConfirmOverwrite))};
    shown->reject();
  });
  EXPECT_TRUE(AskChatFileName(nullptr, documents.path()).isEmpty());
  EXPECT_EQ(seen, (QStringList{"Save Conversation", documents.filePath(QStringLiteral("chat.txt")),
                               "txt", "TXT Files (*.txt)", "1"}));
}

TEST_F(ChatWindowTest, TheListFollowsTheWindowAndItsRowsTheWidth) {
  std::string words;
  for (int i = 0; i < 40; ++i) words += "word ";
  store.Lists().inbox.Add(Message(kAnna, words, At(2026, 12, 5, 11, 50)));
  ChatWindow* window = OpenOnTheInbox();
  ASSERT_NE(window, nullptr);
  window->resize(700, 600);
  QApplication::processEvents();

  // The headers, left of the date: blue for the user, red for the partner.
  const QImage shot = window->List()->viewport()->grab().toImage();
  auto colours = [&](int row) {
    const QRect rect = window->List()->visualRect(window->List()->model()->index(row, 0));
    bool blue = false, red = false;
    for (int y = rect.top(); y < rect.top() + 20 && y < shot.height(); ++y) {
      for (int x = rect.left(); x < rect.left() + rect.width() / 2; ++x) {
        blue = blue || shot.pixel(x, y) == qRgb(0, 0, 255);
        red = red || shot.pixel(x, y) == qRgb(255, 0, 0);
      }
    }
    return std::make_pair(blue, red);
  };
  EXPECT_EQ(colours(0), std::make_pair(false, true));  // Anna
  EXPECT_EQ(colours(1), std::make_pair(true, false));  // Bea

  auto lastRowHeight = [window] {
    const QModelIndex last = window->List()->model()->index(2, 0);
    return window->List()->visualRect(last).height();
  };
  const int wide = lastRowHeight();
  window->resize(window->minimumWidth(), 600);
  QApplication::processEvents();
  EXPECT_GT(lastRowHeight(), wide);
}

}  // namespace
}  // namespace zeph::testing
