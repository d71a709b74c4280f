#pragma once
// The application frame (ZephSMSMain): menu bar, action bar, module list
// and module space. It turns menu commands, keys and action-bar clicks into
// commands for the current module, carries out what the modules ask for,
// and opens help, the About box, the Options dialog and the card manager.

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/base/command_id.h"
#include "app/base/module_services.h"
#include "app/module/folder_module.h"
#include "app/platform/help.h"
#include "app/shell/module_factory.h"
#include "core/resources/string_table.h"

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
  // The module list's choice: switch to the module and give it the focus,
  // then tell the card service (request 0x140006), also when it was
  // current already.
  void ChooseModule(int index);
  // The same for an entry the keyboard moved to in the module list, which
  // keeps the focus.
  void BrowseModule(int index);
  // The action bar's click: New, Reply, Forward and Chat go to the current
  // module, Delete is the Delete key's command; other values do nothing.
  void ActionBarClicked(int value);
  // A command of the menu bar, a context popup or a key.
  void RunCommand(CommandId command);
  // The command's item in the menu bar and in the message folders' popup.
  void SetCommandEnabled(CommandId command, bool enabled);
  // The current module's action button at `position`, counted from 0.
  void SetActionButtonEnabled(int position, bool enabled);
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
  FolderModule* Module(int index) const;
  FolderModule* CurrentModule() const;
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
  void ShowModule(int index, bool focusModule);
  void SwitchToModule(int index, bool focusModule);
  void SendToModule(FolderCommand command);
  // Asks the question (Yes and No); on Yes acts on the current module.
  void AskThen(StringId question, const std::function<void(FolderModule&)>& act);
  void FitToModule();
  void PlaceOnScreen();

  ModuleServices services_;
  FrameSetup setup_;
  FrameClient* client_;
  std::array<FolderModule*, 5> modules_{};  // children of the module space
  int current_ = -1;
};

}  // namespace zeph
