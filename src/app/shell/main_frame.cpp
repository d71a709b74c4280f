#include "app/shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>

#include "app/controls/action_bar.h"
#include "app/controls/module_list.h"
#include "app/controls/report_list_view.h"
#include "app/folders/folder_module.h"
#include "app/shell/about_dialog.h"
#include "app/shell/app_context.h"
#include "app/shell/asker.h"
#include "app/shell/card_link.h"
#include "app/shell/card_manager.h"
#include "app/shell/frame_client.h"
#include "app/shell/frame_menus.h"
#include "app/shell/help.h"
#include "app/shell/module_space.h"
#include "app/shell/options_dialog.h"
#include "app/shell/program_bitmaps.h"
#include "app/shell/resource_icons.h"
#include "app/shell/texts.h"
#include "app/shell/wait_cursor.h"
#include "core/store/message_file.h"
#include "core/store/picture_library_file.h"

namespace zeph {

MainFrame::MainFrame(AppContext& context, int startModule)
    : context_(context),
      client_(new FrameClient(this)),  // owned by the frame
      contextPopup_(BuildContextMenu()) {
  setObjectName(QStringLiteral("ZephSMSMain"));
  setWindowTitle(Text(1));
  setWindowIcon(IconForResource(kApplicationIcon));
  setCentralWidget(client_);
  BuildMenuBar(menuBar(), [this](int id) { RunCommand(id); });
  resize(kStartWidth, kStartHeight);

  // The Delete key, where no control takes it for itself.
  auto* deleteKey = new QAction(this);  // owned by the frame
  deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
  deleteKey->setShortcutContext(Qt::WindowShortcut);
  connect(deleteKey, &QAction::triggered, this, [this] { RunCommand(command::kDeleteKey); });
  addAction(deleteKey);

  context_.menuBar = menuBar();
  context_.contextPopup = contextPopup_.get();
  context_.frameCommand = [this](int id) { RunCommand(id); };

  connect(client_->List(), &ModuleList::ModuleChosen, this, &MainFrame::ChooseModule);
  connect(client_->Bar(), &ActionBar::Clicked, this, &MainFrame::ActionBarClicked);
  client_->Bar()->SetBackground(BitmapForResource(kActionBarBitmap));
  client_->Bar()->SetLeftWidth(client_->ListWidth());
  PlaceOnScreen();

  LoadStores();

  ModuleSpace* space = client_->Space();
  for (int i = 0; i < static_cast<int>(modules_.size()); ++i) {
    const ModuleRow& row = kModuleTable[static_cast<size_t>(i)];
    const QIcon icon = IconForResource(row.iconId);
    std::unique_ptr<FolderModule> module = context_.createModule(i, context_, space->Host());
    module->hide();
    modules_[static_cast<size_t>(i)] = module.release();  // owned by the module space
    client_->List()->AddModule(icon, Text(row.nameString), Text(row.descriptionString));
  }

  if (startModule < 0 || startModule >= static_cast<int>(modules_.size())) startModule = 0;
  client_->List()->Select(startModule);
  SwitchToModule(startModule);
  client_->Layout();
  PlaceOnScreen();
  QMetaObject::invokeMethod(this, &MainFrame::BringToFront, Qt::QueuedConnection);
}

MainFrame::~MainFrame() {
  context_.menuBar = nullptr;
  context_.contextPopup = nullptr;
  context_.frameCommand = nullptr;
  context_.windows.currentModule = nullptr;
}

void MainFrame::LoadStores() {
  AppLists& lists = *context_.lists;
  const StorePaths& paths = context_.paths;
  LoadPictureLibrary(paths.pictures, lists.pictures);
  {
    ScopedLock hold(lists.sent);
    LoadMessageFile(paths.sent, lists.sent);
  }
  LoadMessageFile(paths.inbox, lists.inbox);
  {
    const WaitCursor wait;
    context_.simReadStatus = context_.link->ReadSimPhonebook(lists.contacts);
  }
  {
    ScopedLock hold(lists.reports);
    LoadMessageFile(paths.reports, lists.reports);
  }
  ScopedLock hold(lists.outbox);
  LoadMessageFile(paths.outbox, lists.outbox);
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

void MainFrame::ChooseModule(int index) {
  if (Module(index) == nullptr) return;
  client_->List()->Select(index);
  SwitchToModule(index);
  context_.link->NotifyModuleSwitch();
}

void MainFrame::SwitchToModule(int index) {
  if (index == current_) return;
  if (FolderModule* previous = CurrentModule()) previous->hide();
  current_ = index;
  FolderModule* module = CurrentModule();
  context_.windows.currentModule = module;
  client_->Space()->SetCurrentModule(module);
  module->show();
  module->setFocus(Qt::OtherFocusReason);

  ActionBar* bar = client_->Bar();
  bar->RemoveAllButtons();
  for (const ActionButtonRow& button : kActionButtons) {
    if ((module->Row().actionMask & button.bit) == 0) continue;
    ActionButtonRecord record;
    for (size_t i = 0; i < record.icons.size(); ++i) record.icons[i] = IconForResource(button.icons[i]);
    record.command = button.bit;
    record.tooltip = Text(button.tooltipString);
    bar->AddButton(record);
  }
  client_->Layout();
  module->Refresh(1);
}

void MainFrame::ActionBarClicked(int value) {
  switch (value) {
    case kActionNew:
    case kActionReply:
    case kActionForward:
    case kActionChat:
      SendToModule(value);
      break;
    case kActionDelete:
      RunCommand(command::kDeleteKey);
      break;
    default:
      break;
  }
}

void MainFrame::SendToModule(int value) {
  if (FolderModule* module = CurrentModule()) module->Command(value);
}

void MainFrame::AskThen(int questionString, int value) {
  if (!context_.asker->AskYesNo(this, Text(36), Text(questionString))) return;
  FolderModule* module = CurrentModule();
  if (module == nullptr) return;
  if (value == kDeleteAllCommand) {
    module->DeleteAll();
  } else {
    module->Command(value);
  }
}

void MainFrame::RunCommand(int id) {
  switch (id) {
    case command::kNew:
      SendToModule(kActionNew);
      break;
    case command::kReply:
      SendToModule(kActionReply);
      break;
    case command::kForward:
      SendToModule(kActionForward);
      break;
    case command::kChat:
      SendToModule(kActionChat);
      break;
    case command::kDelete:
    case command::kDeleteKey:
      AskThen(37, kActionDelete);
      break;
    case command::kDeleteAll:
      AskThen(38, kDeleteAllCommand);
      break;
    case command::kSavePicture:
      if (FolderModule* module = CurrentModule()) module->SavePicture();
      break;
    case command::kAddToContacts:
      AddToContacts();
      break;
    case command::kExit:
      QCoreApplication::exit(0);
      break;
    case command::kPictureLibrary:
      if (context_.openPictureLibrary) context_.openPictureLibrary(this);
      break;
    case command::kCardManager:
      StartCardManager(context_.programFolder);
      break;
    case command::kOptions: {
      OptionsDialog options(this, *context_.settings, *context_.link);
      options.exec();
      break;
    }
    case command::kHelpContents:
      OpenHelp(context_, HelpPage::kContents);
      break;
    case command::kHelpIndex:
      OpenHelp(context_, HelpPage::kIndex);
      break;
    case command::kWebSite:
      if (context_.openUrl) context_.openUrl(QUrl(Text(80)));
      break;
    case command::kAbout: {
      AboutDialog about(this);
      about.exec();
      break;
    }
    default:
      break;
  }
}

void MainFrame::AddToContacts() {
  FolderModule* module = CurrentModule();
  if (module == nullptr || module->ListView() == nullptr) return;
  const int key = module->ListView()->GetCurSelParam();
  if (key < 0) return;
  const MessageRecord* record = context_.lists->inbox.GetAt(key);
  if (record == nullptr || !context_.openContactInformation) return;
  context_.openContactInformation(this, FirstNumber(*record));
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
