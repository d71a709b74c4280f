#pragma once
// What the frame and the folder modules share: the settings, the card link,
// the program-wide lists and the window handles that the program's event
// filter reads. Start-up makes one; tests make their own with fakes.

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/settings/settings_store.h"
#include "core/store/app_lists.h"

class QMenu;
class QMenuBar;

namespace zeph {

class Asker;
class CardLink;
class FolderModule;

// The program's modeless windows. Each owner sets its handle when the
// window opens; QPointer turns it to none when the window goes.
struct AppWindows {
  QPointer<QWidget> currentModule;  // set by the frame on a module switch
  QPointer<QWidget> messageEditor;
  QPointer<QWidget> chatWindow;
  std::function<void()> sendChat;  // the chat window's Send button (8045)
};

using ModuleFactory =
    std::function<std::unique_ptr<FolderModule>(int index, class AppContext& context, QWidget* parent)>;

class AppContext {
 public:
  SettingsStore* settings = nullptr;
  CardLink* link = nullptr;
  AppLists* lists = nullptr;
  StorePaths paths;
  Asker* asker = nullptr;
  AppWindows windows;

  // Where the card manager (zephui) and the help are looked for: the
  // program's own folder.
  QString programFolder;
  // Opens a web address or a help page in the user's browser; false when it
  // could not.
  std::function<bool(const QUrl&)> openUrl;
  // Makes the module of a row of the module table.
  ModuleFactory createModule;

  // The result of the SIM phonebook read when the frame was made (0 read).
  uint32_t simReadStatus = 0;

  // Set by the frame: its menu bar, the context popup of the message
  // folders (SetMenuItemEnabled works on both) and its command entry, which
  // takes the same path as the menu bar (confirmations included).
  QMenuBar* menuBar = nullptr;
  QMenu* contextPopup = nullptr;
  std::function<void(int command)> frameCommand;

  // Dialogs of other parts of the program the frame opens; nothing happens
  // while they are not set. Add To Contacts passes the sender's number
  // (Windows-1252).
  std::function<void(QWidget* owner, const std::string& number)> openContactInformation;
  std::function<void(QWidget* owner)> openPictureLibrary;
};

}  // namespace zeph
