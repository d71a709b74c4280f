#include "app/shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>

#include "app/base/asker.h"
#include "app/base/menus.h"
#include "app/base/program_bitmaps.h"
#include "app/base/program_store.h"
#include "app/base/resource_icons.h"
#include "app/base/texts.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/folders/inbox_module.h"
#include "app/platform/card_link.h"
#include "app/platform/card_manager.h"
#include "app/shell/about_dialog.h"
#include "app/shell/arrival_notices.h"
#include "app/shell/frame_client.h"
#include "app/shell/frame_menus.h"
#include "app/shell/module_space.h"
#include "app/shell/module_wiring.h"
#include "app/shell/options_dialog.h"
#include "core/startup/command_line.h"

namespace zeph {

MainFrame::MainFrame(const ModuleServices& services, FrameSetup setup, int startModule)
    : services_(services),
      setup_(std::move(setup)),
      client_(new FrameClient(this)) {  // owned by the frame
  setObjectName(QStringLiteral("ZephSMSMain"));
  setWindowTitle(Text(StringId::kProgramTitle));
  setWindowIcon(IconForResource(IconId::kApplication));
  setCentralWidget(client_);
  BuildMenuBar(menuBar(), [this](CommandId command) { RunCommand(command); });
  resize(kStartWidth, kStartHeight);

  // The Delete key, where no control takes it for
  // itself.
  auto* deleteKey = new QAction(this);  // owned by the frame
  deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
  deleteKey->setShortcutContext(Qt::WindowShortcut);
  connect(deleteKey, &QAction::triggered, this, [this] { RunCommand(CommandId::kDeleteKey); });
  addAction(deleteKey);

  connect(client_->List(), &ModuleList::ModuleChosen, this, &MainFrame::ChooseModule);
  connect(client_->List(), &ModuleList::ModuleBrowsed, this, &MainFrame::BrowseModule);
  connect(client_->Bar(), &ActionBar::Clicked, this, &MainFrame::ActionBarClicked);
  client_->Bar()->SetBackground(BitmapForResource(BitmapId::kActionBar));
  PlaceOnScreen();

  services_.store->Load(*services_.link);

  ModuleSpace* space = client_->Space();
  for (int i = 0; i < static_cast<int>(modules_.size()); ++i) {
    const ModuleRow& row = kModuleTable[static_cast<size_t>(i)];
    std::unique_ptr<FolderModule> module = setup_.createModule(i, services_, space->Host());
    module->hide();
    ConnectModule(*module, *this);
    modules_[static_cast<size_t>(i)] = module.release();  // owned by the module space
    client_->List()->AddModule(IconForResource(row.icon), Text(row.name), Text(row.description));
  }

  if (auto* inbox = qobject_cast<InboxModule*>(Module(kInboxModule))) {
    new ArrivalNotices(*this, *inbox, services_, setup_.notifier);  // owned by the frame
  }

  if (startModule < 0 || startModule >= static_cast<int>(modules_.size())) startModule = 0;
  client_->List()->Select(startModule);
  SwitchToModule(startModule, true);
  FitToModule();
  PlaceOnScreen();
  QMetaObject::invokeMethod(this, &MainFrame::BringToFront, Qt::QueuedConnection);
}

FolderModule* MainFrame::Module(int index) const {
  if (index < 0 || index >= static_cast<int>(modules_.size())) return nullptr;
  return modules_[static_cast<size_t>(index)];
}

FolderModule* MainFrame::CurrentModule() const { return Module(current_); }

void MainFrame::BringToFront() {
  showNormal();
  raise();
  activateWindow();
}

void MainFrame::ChooseModule(int index) { ShowModule(index, true); }

void MainFrame::BrowseModule(int index) { ShowModule(index, false); }

void MainFrame::ShowModule(int index, bool focusModule) {
  if (Module(index) == nullptr) return;
  client_->List()->Select(index);
  SwitchToModule(index, focusModule);
  static_cast<void>(services_.link->NotifyModuleSwitch());  // a card service may not care
}

void MainFrame::SwitchToModule(int index, bool focusModule) {
  if (index == current_) return;
  if (FolderModule* previous = CurrentModule()) previous->hide();
  current_ = index;
  FolderModule* module = CurrentModule();
  client_->Space()->SetCurrentModule(module);
  module->show();
  if (focusModule) module->setFocus(Qt::OtherFocusReason);

  ActionBar* bar = client_->Bar();
  bar->RemoveAllButtons();
  for (const ActionButtonRow& button : kActionButtons) {
    const int bit = static_cast<int>(button.command);
    if ((module->Row().actionMask & bit) == 0) continue;
    ActionButtonRecord record;
    for (size_t i = 0; i < record.icons.size(); ++i) {
      record.icons[i] = IconForResource(button.icons[i]);
    }
    record.command = bit;
    record.tooltip = Text(button.tooltip);
    bar->AddButton(record);
  }
  client_->FitListAndButtons();
  module->Refresh(RefreshReason::kReload);
}

void MainFrame::ActionBarClicked(int value) {
  switch (static_cast<FolderCommand>(value)) {
    case FolderCommand::kNew:
    case FolderCommand::kReply:
    case FolderCommand::kForward:
    case FolderCommand::kChat:
      SendToModule(static_cast<FolderCommand>(value));
      break;
    case FolderCommand::kDelete:
      RunCommand(CommandId::kDeleteKey);
      break;
    default:
      break;
  }
}

void MainFrame::SendToModule(FolderCommand command) {
  if (FolderModule* module = CurrentModule()) module->Command(command);
}

void MainFrame::AskThen(StringId question, const std::function<void(FolderModule&)>& act) {
  if (!services_.asker->AskYesNo(this, Text(StringId::kQuestionCaption), Text(question))) return;
  if (FolderModule* module = CurrentModule()) act(*module);
}

void MainFrame::RunCommand(CommandId command) {
  switch (command) {
    case CommandId::kNew:
      SendToModule(FolderCommand::kNew);
      break;
    case CommandId::kReply:
      SendToModule(FolderCommand::kReply);
      break;
    case CommandId::kForward:
      SendToModule(FolderCommand::kForward);
      break;
    case CommandId::kChat:
      SendToModule(FolderCommand::kChat);
      break;
    case CommandId::kDelete:
    case CommandId::kDeleteKey:
      AskThen(StringId::kDeleteSelectedQuestion,
              [](FolderModule& module) { module.Command(FolderCommand::kDelete); });
      break;
    case CommandId::kDeleteAll:
      AskThen(StringId::kDeleteAllQuestion, [](FolderModule& module) { module.DeleteAll(); });
      break;
    case CommandId::kSavePicture:
      if (FolderModule* module = CurrentModule()) module->SavePicture();
      break;
    case CommandId::kAddToContacts:
      if (FolderModule* module = CurrentModule()) module->AddToContacts();
      break;
    case CommandId::kExit:
      QCoreApplication::exit(0);
      break;
    case CommandId::kPictureLibrary:
      emit PictureLibraryRequested();
      break;
    case CommandId::kCardManager:
      StartCardManager(setup_.programFolder);  // a missing card manager reports nothing
      break;
    case CommandId::kOptions: {
      OptionsDialog options(this, *services_.settings, *services_.link);
      options.exec();
      break;
    }
    case CommandId::kHelpContents:
      OpenHelp(setup_.programFolder, HelpPage::kContents, setup_.openUrl);
      break;
    case CommandId::kHelpIndex:
      OpenHelp(setup_.programFolder, HelpPage::kIndex, setup_.openUrl);
      break;
    case CommandId::kWebSite:
      if (setup_.openUrl) setup_.openUrl(QUrl(Text(StringId::kWebSite)));
      break;
    case CommandId::kAbout: {
      AboutDialog about(this);
      about.exec();
      break;
    }
    case CommandId::kEditContact:
    case CommandId::kSendContact:
      break;  // the Contacts popup's own, carried out by the module
  }
}

void MainFrame::SetCommandEnabled(CommandId command, bool enabled) {
  const int flag = enabled ? 1 : 0;
  SetMenuItemEnabled(menuBar(), command, flag);
  SetMenuItemEnabled(services_.menus->MessageFolders(), command, flag);
}

void MainFrame::SetActionButtonEnabled(int position, bool enabled) {
  client_->Bar()->SetButtonState(position, enabled ? kButtonEnabled : kButtonDisabled);
}

void MainFrame::FitToModule() {
  // The frame keeps its design size unless the list and the current module
  // need more (a large font); the list starts as narrow as its entries
  // allow, and the space takes the rest.
  const int listWidth = client_->List()->MinimumWidth();
  const QSize module = CurrentModule()->SmallestSize();
  const QSize needed(
      listWidth + FrameClient::kSplitterHandleWidth + module.width(),
      menuBar()->sizeHint().height() + client_->Bar()->sizeHint().height() + module.height());
  resize(QSize(kStartWidth, kStartHeight).expandedTo(needed));
  client_->Splitter()->setSizes({listWidth, width() - listWidth});
}

void MainFrame::ReloadCurrentModule() {
  if (FolderModule* module = CurrentModule()) module->Refresh(RefreshReason::kReload);
}

void MainFrame::ShowBusinessCard(const MessageRecord& card) {
  static_cast<void>(ParseBusinessCard(card, CurrentModule(), services_));
}

void MainFrame::SetChatPartner(const std::optional<std::string>& partnerNumber) {
  for (FolderModule* module : modules_) module->ChatPartnerChanged(partnerNumber);
}

void MainFrame::PlaceOnScreen() {
  // Centred on the desktop's work area, never above or left of it.
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect work = screen->availableGeometry();
  const QRect frame = frameGeometry();
  move(std::max(work.left(), (work.width() - frame.width()) / 2 + work.left()),
       std::max(work.top(), (work.height() - frame.height()) / 2 + work.top()));
}

void MainFrame::closeEvent(QCloseEvent* event) {
  // Closing only ends the loop; start-up closes the pipes and then
  // destroys the frame.
  event->ignore();
  QCoreApplication::exit(0);
}

}  // namespace zeph
