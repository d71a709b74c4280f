#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <set>

#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/controls/report_list_view.h"
#include "app/platform/device_card_link.h"
#include "app/platform/help.h"
#include "app/shell/frame_client.h"
#include "core/devicelink/result_codes.h"
#include "core/store/message_file.h"
#include "support/app_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

using FrameTest = AppFixture;

std::vector<QAction*> BarActions(const ActionBar& bar) {
  std::vector<QAction*> actions;
  for (int i = 0; i < bar.ButtonCount(); ++i) actions.push_back(bar.ButtonAt(i)->defaultAction());
  return actions;
}

TEST_F(FrameTest, SwitchingShowsTheModuleWithItsButtonsRefreshesItAndTellsTheCardService) {
  auto frame = MakeFrame(0);
  const FolderActions& a = frame->Actions();
  const ActionBar& bar = *frame->Client()->Bar();
  EXPECT_EQ(frame->CurrentIndex(), 0);
  EXPECT_NE(std::find(log.begin(), log.end(), "0 refresh 1"), log.end());
  EXPECT_EQ(BarActions(bar),
            (std::vector<QAction*>{a.newMessage, a.reply, a.forward, a.deleteSelected, a.chat}));
  // The phonebook was read under the wait cursor, which is gone again.
  EXPECT_TRUE(link.waitCursorDuringSimRead);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  log.clear();
  frame->Client()->List()->ModuleChosen(2);
  EXPECT_EQ(frame->CurrentIndex(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"2 refresh 1"}));
  EXPECT_EQ(BarActions(bar),
            (std::vector<QAction*>{a.newMessage, a.forward, a.deleteSelected, a.chat}));
  EXPECT_EQ(link.Count("0x140006"), 1);  // the creation's first module went without one

  // The current module again: nothing changes (the request still goes: the accessibility test).
  log.clear();
  emit frame->Client()->List()->ModuleChosen(2);
  EXPECT_TRUE(log.empty());

  frame->OpenModule(1);  // the bar of every module is the module table's
  EXPECT_EQ(BarActions(bar), (std::vector<QAction*>{a.newMessage, a.deleteSelected}));
  QApplication::setActiveWindow(frame.get());
  frame->OpenModule(3);
  EXPECT_EQ(QApplication::focusWidget(), frame->Module(3)->ListView());
  ModuleList* list = frame->Client()->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->EntryRect(4).center());
  EXPECT_EQ(frame->CurrentIndex(), 4);
}

TEST_F(FrameTest, ActionButtonsAndMenuItemsSendTheirCommandAndDeleteAsksFirst) {
  auto frame = MakeFrame(0);
  ActionBar* bar = frame->Client()->Bar();
  log.clear();
  bar->ButtonAt(0)->click();  // New
  bar->ButtonAt(1)->click();  // Reply
  bar->ButtonAt(2)->click();  // Forward
  bar->ButtonAt(4)->click();  // Chat
  EXPECT_EQ(
      log, (std::vector<std::string>{"0 command 1", "0 command 2", "0 command 4", "0 command 16"}));
  EXPECT_TRUE(asker.questions.empty());

  log.clear();
  asker.answer = false;
  bar->ButtonAt(3)->click();  // Delete, answered No (Yes: the Delete key test)
  ASSERT_EQ(asker.questions.size(), 1u);
  EXPECT_EQ(asker.questions[0], "Are you sure you want to delete the selected item?");
  // The menu bar holds the bar's actions (the one-action test); Delete All asks its own question.
  Choose(*frame, CommandId::kDeleteAll);
  EXPECT_EQ(asker.questions.back(), "Are you sure you want to delete all items?");
  EXPECT_TRUE(log.empty());  // both answered No
  asker.answer = true;
  Choose(*frame, CommandId::kDeleteAll);
  EXPECT_EQ(log, (std::vector<std::string>{"0 deleteall 0"}));
}

TEST_F(FrameTest, DeleteKeyAsksLikeTheDeleteItemInTheModulesListAndElsewhere) {
  auto frame = MakeFrame(0);
  frame->activateWindow();
  log.clear();
  // In the module's list, where the module hands the key to the frame's Delete.
  frame->Module(0)->ListView()->setFocus();
  QTest::keyClick(frame->Module(0)->ListView(), Qt::Key_Delete);
  EXPECT_EQ(asker.questions.size(), 1u);
  // Elsewhere in the frame the action's shortcut takes it.
  frame->Client()->List()->setFocus();
  QTest::keyClick(frame->Client()->List(), Qt::Key_Delete);
  EXPECT_EQ(asker.questions.size(), 2u);
  // The list's popup holds the frame's own Delete.
  QTimer::singleShot(0, [&frame] {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    popup->setActiveAction(frame->Actions().deleteSelected);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  emit frame->Module(0)->ListView()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_EQ(asker.questions.size(), 3u);
  EXPECT_EQ(log, (std::vector<std::string>{"0 command 8", "0 command 8", "0 command 8"}));
}

TEST_F(FrameTest, EachCommandIsOneActionInTheMenuBarThePopupAndTheBarWithItsShortcutShown) {
  auto frame = MakeFrame(0);
  const FolderActions& a = frame->Actions();
  QList<QAction*> inMenus;
  for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>()) inMenus += menu->actions();
  const std::vector<QAction*> onBar = BarActions(*frame->Client()->Bar());
  for (QAction* action : {a.newMessage, a.reply, a.forward, a.deleteSelected, a.deleteAll,
                          a.savePicture, a.addToContacts, a.chat}) {
    EXPECT_TRUE(inMenus.contains(action)) << action->text().toStdString();
    EXPECT_TRUE(a.contextMenu->actions().contains(action) || action == a.newMessage);
    // A module enables a command through its action, wherever it is shown.
    const auto button = std::find(onBar.begin(), onBar.end(), action) - onBar.begin();
    action->setEnabled(false);
    if (button < 5) {
      EXPECT_FALSE(frame->Client()->Bar()->ButtonAt(int(button))->isEnabled());
    }
    action->setEnabled(true);
  }
  // The shortcuts, which the menus show beside the texts: users rely on
  // these keys, and a change of one would go unseen by every other test.
  std::set<QString> keys;
  for (const auto& [command, key] : {std::pair{CommandId::kNew, "Ctrl+N"},
                                     {CommandId::kReply, "Ctrl+R"},
                                     {CommandId::kForward, "Ctrl+L"},
                                     {CommandId::kDelete, "Del"},
                                     {CommandId::kChat, "Ctrl+T"},
                                     {CommandId::kExit, "Ctrl+Q"},
                                     {CommandId::kHelpContents, "F1"}}) {
    EXPECT_EQ(frame->Action(command)->shortcut().toString(), key);
    keys.insert(key);
  }
  for (int i = 1; i <= 5; ++i) keys.insert(QStringLiteral("Ctrl+%1").arg(i));
  for (QAction* action : inMenus) keys.erase(action->shortcut().toString());
  EXPECT_TRUE(keys.empty());  // Ctrl+1 to Ctrl+5 are in the View menu
  QTest::keyClick(frame.get(), Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(frame->CurrentIndex(), 2);
}

TEST_F(FrameTest, AddToContactsPassesTheSelectedInboxSender) {
  MessageList inbox;
  inbox.Add(Message("+358401112223", ""));
  ASSERT_EQ(SaveMessageFile(store.Paths().inbox, inbox), 1);
  auto frame = MakeFrame(0);
  std::vector<std::string> numbers;
  QObject::connect(frame.get(), &MainFrame::ContactInformationRequested,
                   [&numbers](const std::string& number) { numbers.push_back(number); });
  // No selection: nothing.
  Choose(*frame, CommandId::kAddToContacts);
  EXPECT_TRUE(numbers.empty());
  auto* list = static_cast<ReportListView*>(frame->Module(0)->ListView());
  list->AddItem(0, 0, {QStringLiteral("+358401112223")});
  list->SetSelection(0);
  Choose(*frame, CommandId::kAddToContacts);
  EXPECT_EQ(numbers, (std::vector<std::string>{"+358401112223"}));
}

TEST_F(FrameTest, OpensWithoutCardServiceAndShowsTheStoreFiles) {
  // Store files in the documents folder; the SIM read fails.
  MessageList outbox;  // the Inbox's file: the Add to Contacts test
  for (const char* number : {"+358401", "+358402"}) outbox.Add(Message(number, ""));
  ASSERT_EQ(SaveMessageFile(store.Paths().outbox, outbox), 2);
  IpcOptions nobody;  // a socket folder where no card service listens
  nobody.socketDir = documents.path().toStdString();
  DeviceCardLink offline(nobody);
  offline.OpenPipes();
  services.link = &offline;
  auto frame = MakeFrame(0);
  EXPECT_EQ(CountLocked(store.Lists().outbox), 2);
  EXPECT_EQ(store.Lists().contacts.Count(), 0);
  EXPECT_EQ(store.SimReadStatus(), kIpcNotConnected);
  EXPECT_EQ(frame->windowTitle(), "Tavik Short Messaging");
  frame->OpenModule(4);  // the failing 0x140006 changes nothing
  EXPECT_EQ(frame->CurrentIndex(), 4);
}

TEST_F(FrameTest, HelpAndToolsOpenTheirPagesAndProgramsAndWhatIsMissingDoesNothing) {
  auto frame = MakeFrame(0);
  Choose(*frame, CommandId::kHelpContents);
  EXPECT_TRUE(opened.empty());  // no help beside the program

  QDir(documents.path()).mkpath(QStringLiteral("help"));
  for (const char* page : {"contents.html", "help-index.html"}) {
    QFile file(documents.filePath(QStringLiteral("help/") + page));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  Choose(*frame, CommandId::kHelpContents);
  Choose(*frame, CommandId::kHelpIndex);
  Choose(*frame, CommandId::kWebSite);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_TRUE(opened[0].toLocalFile().endsWith("/help/contents.html"));
  EXPECT_TRUE(opened[1].toLocalFile().endsWith("/help/help-index.html"));

  // An installed program finds its help under share/zephsms.
  QDir(documents.path()).mkpath(QStringLiteral("share/zephsms/help"));
  QDir(documents.path()).mkpath(QStringLiteral("bin"));
  QFile installed(documents.filePath(QStringLiteral("share/zephsms/help/help-index.html")));
  ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
  EXPECT_EQ(HelpFile(documents.filePath(QStringLiteral("bin")), HelpPage::kIndex),
            QFileInfo(installed).canonicalFilePath());
  EXPECT_TRUE(HelpFile(documents.filePath(QStringLiteral("bin")), HelpPage::kContents).isEmpty());

  // Tools: the Picture Library, and the card manager beside the program.
  int libraryAsked = 0;
  QObject::connect(frame.get(), &MainFrame::PictureLibraryRequested,
                   [&libraryAsked] { ++libraryAsked; });
  Choose(*frame, CommandId::kPictureLibrary);
  EXPECT_EQ(libraryAsked, 1);

  Choose(*frame, CommandId::kCardManager);  // none there: nothing happens

  const QString marker = documents.filePath(QStringLiteral("started"));
  QFile script(documents.filePath(QStringLiteral("zephui")));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  // Written whole, then renamed: the test never reads a half-written marker.
  script.write("#!/bin/sh\npwd > started.part && mv started.part started\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Choose(*frame, CommandId::kCardManager);
  for (int i = 0; i < 200 && !QFile::exists(marker); ++i) QTest::qWait(10);
  QFile started(marker);
  ASSERT_TRUE(started.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLocal8Bit(started.readAll()).trimmed(),
            QFileInfo(documents.path()).canonicalFilePath());
}

// A large desktop font makes the modules grow: every label and button
// still shows its whole text.
TEST_F(FrameTest, ALargeFontLeavesEveryTextOfTheModulesWhole) {
  const QFont normal = QApplication::font();
  QFont large = normal;
  large.setPointSize(18);
  QApplication::setFont(large);
  setup.createModule = CreateProgramModule;
  auto frame = MakeFrame(0);
  for (int index = 0; index < 5; ++index) {
    frame->OpenModule(index);
    QApplication::processEvents();
    for (const QWidget* control : frame->Module(index)->findChildren<QWidget*>()) {
      QString text;
      if (const auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
      if (const auto* button = qobject_cast<const QPushButton*>(control)) text = button->text();
      text.remove(u'&');
      if (text.isEmpty() || !control->isVisible()) continue;
      EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->contentsRect().width())
          << index << " " << qPrintable(text);
    }
  }
  QApplication::setFont(normal);
}

// Dragging the splitter's handle widens the folder list, and the action
// buttons move along with its edge.
TEST_F(FrameTest, TheSplitterWidensTheListAndTheButtonsFollow) {
  auto frame = MakeFrame(0);
  QWidget* list = frame->Client()->List();
  QWidget* handle = frame->Client()->Splitter()->handle(1);
  const int before = list->width();
  for (auto [type, x] : {std::pair{QEvent::MouseButtonPress, 1}, std::pair{QEvent::MouseMove, 41},
                         std::pair{QEvent::MouseButtonRelease, 41}}) {
    const QPoint at(x, 10);
    QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
    QApplication::sendEvent(handle, &event);
  }
  QApplication::processEvents();
  EXPECT_GT(list->width(), before + 30);
  EXPECT_GT(frame->Client()->Bar()->ButtonAt(0)->x(), list->width());
}

}  // namespace
}  // namespace zeph::testing
