#pragma once
// What a module or a dialog of the program works with, handed to it by
// whoever makes it: the lists and their files, the card link, the settings,
// the asker, the clock and the frame's folder commands. A module reaches
// nothing else; what it wants from the frame or from another window it asks
// for with a signal, and whoever made both connects it.

namespace zeph {

class Asker;
class CardLink;
class Clock;
struct FolderActions;
class ProgramStore;
class SettingsStore;

// Every pointer is set, and outlives the modules and dialogs that get it.
struct ModuleServices {
  ProgramStore* store = nullptr;
  CardLink* link = nullptr;  // the user-interface thread's pipes
  SettingsStore* settings = nullptr;
  Asker* asker = nullptr;
  const Clock* clock = nullptr;
  const FolderActions* actions = nullptr;  // the frame's, which the current module enables
};

}  // namespace zeph
