#include "app/shell/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>

#include "app/base/asker.h"
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
      client_(new FrameClient(this)),  // owned by the frame
      actions_(MakeFolderActions(this)),
      moduleActions_(new QActionGroup(this)) {  // owned by the frame
  setObjectName(QStringLiteral("ZephSMSMain"));
  setWindowTitle(Text(StringId::kProgramTitle));
  setWindowIcon(IconForResource(IconId::kApplication));
  setCentralWidget(client_);
  services_.actions = &actions_;
  commands_ =
      BuildMenuBar(menuBar(), actions_, this, [this](CommandId command) { RunCommand(command); });
  resize(kStartWidth, kStartHeight);

  connect(client_->List(), &ModuleList::ModuleChosen, this,
          [this](int index) { OpenModule(index, ModuleFocus::kToModule); });
  connect(client_->List(), &ModuleList::ModuleBrowsed, this,
          [this](int index) { OpenModule(index, ModuleFocus::kStayInList); });
  client_->Bar()->SetBackground(BitmapForResource(BitmapId::kActionBar));
  PlaceOnScreen();

  services_.store->Load(*services_.link);

  ModuleSpace* space = client_->Space();
  QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu"));
  for (int i = 0; i < static_cast<int>(modules_.size()); ++i) {
    const ModuleRow& row = kModuleTable[static_cast<size_t>(i)];
    std::unique_ptr<ModulePage> module = setup_.createModule(i, services_, space->Host());
    module->hide();
    ConnectModule(*module, *this);
    modules_[static_cast<size_t>(i)] = module.release();  // owned by the module space
    client_->List()->AddModule(IconForResource(row.icon), Text(row.name), Text(row.description));
    // Ctrl+1 to Ctrl+5 open the module, as its entry in the list does.
    QAction* open = view->addAction(Text(row.name));
    open->setCheckable(true);
    open->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
    moduleActions_->addAction(open);
    addAction(open);
    connect(open, &QAction::triggered, this, [this, i] { OpenModule(i); });
  }

  if (auto* inbox = qobject_cast<InboxModule*>(Module(kInboxModule))) {
    new ArrivalNotices(*this, *inbox, services_, setup_.notifier);  // owned by the frame
  }

  if (startModule < 0 || startModule >= static_cast<int>(modules_.size())) startModule = 0;
  client_->List()->Select(startModule);
  MakeCurrent(startModule, ModuleFocus::kToModule);
  FitToModule();
  PlaceOnScreen();
  QMetaObject::invokeMethod(this, &MainFrame::BringToFront, Qt::QueuedConnection);
}

ModulePage* MainFrame::Module(int index) const {
  if (index < 0 || index >= static_cast<int>(modules_.size())) return nullptr;
  return modules_[static_cast<size_t>(index)];
}

ModulePage* MainFrame::CurrentModule() const {
  return Module(current_);
}

void MainFrame::BringToFront() {
  showNormal();
  raise();
  activateWindow();
}

QAction* MainFrame::Action(CommandId command) const {
  const auto found = commands_.find(command);
  return found == commands_.end() ? nullptr : found->second;
}

void MainFrame::OpenModule(int index, ModuleFocus focus) {
  if (Module(index) == nullptr) return;
  client_->List()->Select(index);
  MakeCurrent(index, focus);
  static_cast<void>(services_.link->NotifyModuleSwitch());  // a card service may not care
}

void MainFrame::MakeCurrent(int index, ModuleFocus focus) {
  if (index == current_) return;
  if (ModulePage* previous = CurrentModule()) previous->hide();
  current_ = index;
  ModulePage* module = CurrentModule();
  client_->Space()->SetCurrentModule(module);
  module->show();
  if (focus == ModuleFocus::kToModule) module->setFocus(Qt::OtherFocusReason);
  moduleActions_->actions().at(index)->setChecked(true);

  const std::pair<bool BarCommands::*, QAction*> onBar[] = {
      {&BarCommands::newMessage, actions_.newMessage},
      {&BarCommands::reply, actions_.reply},
      {&BarCommands::forward, actions_.forward},
      {&BarCommands::deleteSelected, actions_.deleteSelected},
      {&BarCommands::chat, actions_.chat}};
  ActionBar* bar = client_->Bar();
  bar->RemoveAllButtons();
  for (const auto& [shown, action] : onBar) {
    if (module->Row().barCommands.*shown) bar->AddAction(action);
  }
  client_->FitListAndButtons();
  module->Refresh(RefreshReason::kReload);
}

void MainFrame::SendToModule(FolderCommand command) {
  if (ModulePage* module = CurrentModule()) module->Command(command);
}

void MainFrame::AskThen(StringId question, const std::function<void(ModulePage&)>& act) {
  if (!services_.asker->AskYesNo(this, Text(StringId::kQuestionCaption), Text(question))) return;
  if (ModulePage* module = CurrentModule()) act(*module);
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
      AskThen(StringId::kDeleteSelectedQuestion,
              [](ModulePage& module) { module.Command(FolderCommand::kDelete); });
      break;
    case CommandId::kDeleteAll:
      AskThen(StringId::kDeleteAllQuestion, [](ModulePage& module) { module.DeleteAll(); });
      break;
    case CommandId::kSavePicture:
      if (ModulePage* module = CurrentModule()) module->SavePicture();
      break;
    case CommandId::kAddToContacts:
      if (ModulePage* module = CurrentModule()) module->AddToContacts();
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
  }
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
  if (ModulePage* module = CurrentModule()) module->Refresh(RefreshReason::kReload);
}

void MainFrame::ShowBusinessCard(const MessageRecord& card) {
  static_cast<void>(ParseBusinessCard(card, CurrentModule(), services_));
}

void MainFrame::SetChatPartner(const std::optional<std::string>& partnerNumber) {
  for (ModulePage* module : modules_) module->ChatPartnerChanged(partnerNumber);
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
