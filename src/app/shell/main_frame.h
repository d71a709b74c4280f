#pragma once
// The application frame (ZephSMSMain): menu bar, action bar, module list
// and module space. It turns menu commands, keys and action-bar clicks into
// commands for the current module, carries out what the modules ask for,
// and opens help, the About box, the Options dialog and the card manager.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/base/command_id.h"
#include "app/base/folder_actions.h"
#include "app/base/module_services.h"
#include "app/module/module_page.h"
#include "app/platform/help.h"
#include "app/shell/module_factory.h"
#include "core/resources/string_table.h"

class QActionGroup;

namespace zeph {

class DesktopNotifier;
class FrameClient;

// What the frame needs besides the services it hands to the modules.
struct FrameSetup {
  // Where the card manager (zephui) and the help are looked for: the
  // program's own folder.
  QString programFolder;
  UrlOpener openUrl;
  ModuleFactory createModule = CreateProgramModule;
  // Arrival notices go through it; none: no notices. Outlives the frame.
  DesktopNotifier* notifier = nullptr;
};

class MainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kStartWidth = 570;
  static constexpr int kStartHeight = 520;

  // Loads the program's store, makes the five modules and shows
  // `startModule`.
  MainFrame(const ModuleServices& services, FrameSetup setup, int startModule);

  // Shows the frame normally and brings it to the front (a second start
  // asks for this).
  void BringToFront();
  // Where the focus goes when a module is opened.
  enum class ModuleFocus { kToModule, kStayInList };
  // Makes the module current, selects it in the module list and tells the
  // card service (request 0x140006), also when it was current already.
  // The module list's click and the modules' keys give the module the
  // focus; an entry the keyboard moved to in the list keeps it.
  void OpenModule(int index, ModuleFocus focus = ModuleFocus::kToModule);
  // Carries out a command of the frame; every action of the menu bar, the
  // context menu and the action bar triggers it.
  void RunCommand(CommandId command);
  // The command's one action, which the menu bar shows (the folder
  // commands also the context menu and the action bar); nullptr for none.
  QAction* Action(CommandId command) const;
  const FolderActions& Actions() const { return actions_; }
  // The module on screen loads its list again (messages arrived or were
  // queued elsewhere).
  void ReloadCurrentModule();
  // "Business Card Received" for `card`, over the module on screen;
  // returns when the user has answered.
  void ShowBusinessCard(const MessageRecord& card);
  // The chat window opened with this partner number, or closed (none):
  // every module is told.
  void SetChatPartner(const std::optional<std::string>& partnerNumber);

  FrameClient* Client() const { return client_; }
  ModulePage* Module(int index) const;
  ModulePage* CurrentModule() const;
  int CurrentIndex() const { return current_; }

 signals:
  // Add To Contacts found a number. Contact Information is the contacts
  // module's dialog; whoever opens it listens here.
  void ContactInformationRequested(const std::string& number);
  // A module asked for the message editor; the writing windows listen.
  void EditorRequested(const zeph::EditorRequest& request);
  // A module asked for the chat window. The Inbox's and Sent messages'
  // chat belongs to the frame; the one opened from Contacts stands alone.
  void ChatRequested(const zeph::MessageRecord& seed, bool ownedByFrame);
  // Tools, Picture Library.
  void PictureLibraryRequested();
  // Reception copied a message from the chat's partner into the chat list.
  void ChatMessageArrived();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Hides the current module and shows the one at `index` with its
  // commands on the action bar; nothing for the current one.
  void MakeCurrent(int index, ModuleFocus focus);
  void SendToModule(FolderCommand command);
  // Asks the question (Yes and No); on Yes acts on the current module.
  void AskThen(StringId question, const std::function<void(ModulePage&)>& act);
  void FitToModule();
  void PlaceOnScreen();

  ModuleServices services_;
  FrameSetup setup_;
  FrameClient* client_;
  FolderActions actions_;                   // children of the frame
  std::map<CommandId, QAction*> commands_;  // every command's action, children of the frame
  QActionGroup* moduleActions_;             // the module menu's, Ctrl+1 to Ctrl+5
  std::array<ModulePage*, 5> modules_{};    // children of the module space
  int current_ = -1;
};

}  // namespace zeph
