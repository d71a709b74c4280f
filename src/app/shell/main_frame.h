#pragma once
// The application frame (ZephSMSMain): menu bar, action bar, module list
// and module space. It turns menu commands, keys and action-bar clicks into
// commands for the current module, and opens help, the About box, the
// Options dialog and the card manager.

#include <QMainWindow>
#include <array>
#include <memory>

class QMenu;

namespace zeph {

class AppContext;
class FolderModule;
class FrameClient;

class MainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kStartWidth = 570;
  static constexpr int kStartHeight = 520;

  // Loads the store files and the SIM phonebook into the context's lists,
  // makes the five modules and shows `startModule`.
  MainFrame(AppContext& context, int startModule);
  ~MainFrame() override;

  // Message 1025: show the frame normally and bring it to the front.
  void BringToFront();
  // The module list's choice: switch to the module, then tell the card
  // service (request 0x140006), also when it was current already.
  void ChooseModule(int index);
  // The action bar's click: 1, 2, 4 and 16 go to the current module, 8 is
  // the Delete key's command; other values do nothing.
  void ActionBarClicked(int value);
  // A command of the menu bar, the context menu or a key.
  void RunCommand(int id);

  FrameClient* Client() const { return client_; }
  FolderModule* Module(int index) const;
  FolderModule* CurrentModule() const;
  int CurrentIndex() const { return current_; }
  QMenu* ContextPopup() const { return contextPopup_.get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void LoadStores();
  void SwitchToModule(int index);
  void SendToModule(int value);
  void AskThen(int questionString, int value);
  void AddToContacts();
  void PlaceOnScreen();

  AppContext& context_;
  FrameClient* client_;
  std::unique_ptr<QMenu> contextPopup_;
  std::array<FolderModule*, 5> modules_{};  // children of the module space
  int current_ = -1;
};

}  // namespace zeph
