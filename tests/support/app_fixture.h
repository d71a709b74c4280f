#pragma once
// Fakes and a fixture for the desktop program's tests: a card link that
// records its requests, folder modules that record the frame's messages,
// an asker that answers from the test, and a frame on them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/base/asker.h"
#include "app/base/folder_actions.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/controls/report_list_view.h"
#include "app/module/module_page.h"
#include "app/platform/card_link.h"
#include "app/shell/main_frame.h"
#include "core/folders/clock.h"
#include "core/settings/memory_settings_store.h"

// Test failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace zeph::testing {

class FakeCardLink final : public CardLink {
 public:
  void OpenPipes() override { calls.push_back("open"); }
  void ClosePipes() override { calls.push_back("close"); }
  uint32_t NotifyModuleSwitch() override {
    calls.push_back("0x140006");
    return result;
  }
  uint32_t ReadSimPhonebook(ContactList& contacts) override {
    calls.push_back("0x2A0000");
    const QCursor* cursor = QApplication::overrideCursor();
    waitCursorDuringSimRead = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    if (result != 0) return result;
    auto entry = std::make_unique<ContactEntry>();
    entry->location = 1;
    contacts.Add(std::move(entry));
    return 0;
  }
  uint32_t ReadCentreNumber(std::string* number) override {
    calls.push_back("0x290003");
    if (result == 0) *number = "+358405550100";
    return result;
  }
  Pipe* SyncPipe() override { return syncPipe; }
  IpcPipe* IndicationPipe() override { return nullptr; }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }

  std::vector<std::string> calls;
  uint32_t result = 0;
  bool waitCursorDuringSimRead = false;
  Pipe* syncPipe = nullptr;  // none: every request on it fails
};

// Writes every message from the frame into a shared log as "<module> <what> <value>".
class RecordingModule final : public ModulePage {
 public:
  RecordingModule(int index, const ModuleServices& services, QWidget* parent,
                  std::vector<std::string>& log, QSize initialSize, bool keysToList = false)
      : ModulePage(index, services, parent),
        log_(log),
        list_(new ReportListView(this)),
        keysToList_(keysToList) {
    list_->SetHeader({QStringLiteral("From")});
    list_->setGeometry(0, 0, 100, 100);
    AdoptList(list_, services.actions->contextMenu);
    SetInitialSize(initialSize);
  }
  void Refresh(RefreshReason reason) override { Log("refresh", static_cast<int>(reason)); }
  void Command(FolderCommand command) override { Log("command", static_cast<int>(command)); }
  void SavePicture() override { Log("savepicture", 0); }
  void DeleteAll() override { Log("deleteall", 0); }
  bool ForwardKey(QKeyEvent* event) override {
    if (event->type() == QEvent::KeyPress) Log("key", event->key());
    if (!keysToList_) return true;
    // As a module that lets its list handle the keys would.
    event->ignore();
    QCoreApplication::sendEvent(list_, event);
    return event->isAccepted();
  }
  ReportListView* ListView() const override { return list_; }

 private:
  void Log(const char* what, int value) {
    log_.push_back(std::to_string(Index()) + " " + what + " " + std::to_string(value));
  }
  std::vector<std::string>& log_;
  ReportListView* list_;
  bool keysToList_;
};

class ScriptedAsker final : public Asker {
 public:
  bool AskYesNo(QWidget*, const QString& caption, const QString& question) override {
    captions.push_back(caption);
    questions.push_back(question);
    return answer;
  }
  void ShowError(int code) override { errors.push_back(code); }
  void ShowFailure(const QString& text) override { failures.push_back(text); }
  bool answer = true;
  std::vector<int> errors;        // the codes of the error boxes shown
  std::vector<QString> failures;  // the texts of the failed writes shown
  std::vector<QString> captions;
  std::vector<QString> questions;
};

// Runs `act` on the next modal dialog once it is open, while the returned timer lives.
[[nodiscard]] inline std::unique_ptr<QTimer> OnNextModal(std::function<void(QWidget*)> act) {
  auto poll = std::make_unique<QTimer>();
  poll->setInterval(10);
  QTimer* timer = poll.get();
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      act(modal);
    }
  });
  poll->start();
  return poll;
}

// The middle of a cell of the Picture Editor's drawing area: the control's
// border, the area at (11, 12), cells at a pitch of 6.
inline QPoint EditCellCentre(int column, int row) {
  return {1 + 11 + column * 6 + 3, 1 + 12 + row * 6 + 3};
}

class AppFixture : public ::testing::Test {
 protected:
  AppFixture() {
    setup.programFolder = documents.path();
    setup.openUrl = [this](const QUrl& url) {
      opened.push_back(url);
      return true;
    };
    setup.createModule = [this](int index, const ModuleServices& given, QWidget* parent) {
      return std::make_unique<RecordingModule>(index, given, parent, log, moduleSize,
                                               modulesPassKeysToList);
    };
  }

  std::unique_ptr<MainFrame> MakeFrame(int startModule = 0) {
    auto frame = std::make_unique<MainFrame>(services, setup, startModule);
    frame->show();
    QApplication::processEvents();
    return frame;
  }

  // Triggers the command's action, as its menu item would.
  static void Choose(MainFrame& frame, CommandId command) {
    QAction* item = frame.Action(command);
    ASSERT_NE(item, nullptr) << static_cast<int>(command);
    item->trigger();
  }

  QTemporaryDir documents;
  MemorySettingsStore settings;
  FakeCardLink link;
  ProgramStore store{StorePaths::InFolder(documents.path().toStdString())};
  ScriptedAsker asker;
  SystemClock clock;
  QWidget actionOwner;  // the folder commands of a module made without a frame
  FolderActions actions = MakeFolderActions(&actionOwner);
  ModuleServices services{&store, &link, &settings, &asker, &clock, &actions};
  FrameSetup setup;
  std::vector<std::string> log;
  std::vector<QUrl> opened;
  QSize moduleSize{300, 200};
  bool modulesPassKeysToList = false;
};

}  // namespace zeph::testing
