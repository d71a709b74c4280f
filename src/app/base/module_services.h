#pragma once
// What a module or a dialog of the program works with, handed to it by
// whoever makes it: the lists and their files, the card link, the settings,
// the asker, the clock, the shared context popups and the registry of open
// windows. A module reaches nothing else; what it wants from the frame it
// asks for with a signal.

#include <QPointer>
#include <QWidget>

namespace zeph {

class Asker;
class CardLink;
class Clock;
class ContextMenus;
class ProgramStore;
class SettingsStore;

// The program's windows that others look for. Each owner sets its entry
// when the window opens; QPointer turns it to none when the window goes.
// The chat's Enter rule reads all three; reception looks for the chat
// window, the Outbox for the current module.
struct OpenWindows {
  QPointer<QWidget> currentModule;  // set by the frame on a module switch
  QPointer<QWidget> messageEditor;
  QPointer<QWidget> chatWindow;
  // Contact Information opened by Add To Contacts, modeless; while it is
  // open the Contacts module's New and Edit do nothing.
  QPointer<QWidget> contactInformation;
};

// Every pointer is set, and outlives the modules and dialogs that get it.
struct ModuleServices {
  ProgramStore* store = nullptr;
  CardLink* link = nullptr;  // the user-interface thread's pipes
  SettingsStore* settings = nullptr;
  Asker* asker = nullptr;
  const Clock* clock = nullptr;
  const ContextMenus* menus = nullptr;
  OpenWindows* windows = nullptr;
};

}  // namespace zeph
