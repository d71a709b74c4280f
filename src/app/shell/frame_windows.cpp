#include "app/shell/frame_windows.h"

#include <QCoreApplication>

#include "app/contacts/contacts_module.h"
#include "app/shell/main_frame.h"
#include "core/startup/command_line.h"

namespace zeph {

FrameWindows::FrameWindows(MainFrame& frame, const ModuleServices& services,
                           PictureChooser choosePicture)
    : QObject(&frame),
      frame_(frame),
      editorSetup_{services, &frame, choosePicture},
      chats_(new ChatOpener(ChatSetup{services, &frame, choosePicture, {}}, this)),
      chatEnter_(new ChatEnterFilter(
          ChatEnterScope{
              [this] { return chats_->Window() != nullptr; },
              [this] {
                return std::vector<const QWidget*>{frame_.CurrentModule(), editor_.data()};
              }},
          this)) {
  connect(&frame, &MainFrame::EditorRequested, this, &FrameWindows::OpenEditor);

  connect(&frame, &MainFrame::ChatRequested, chats_, &ChatOpener::Open);
  connect(chatEnter_, &ChatEnterFilter::SendChatRequested, chats_, &ChatOpener::Send);
  QCoreApplication::instance()->installEventFilter(chatEnter_);
  connect(chats_, &ChatOpener::Opened, &frame,
          [&frame](const std::string& partnerNumber) { frame.SetChatPartner(partnerNumber); });
  connect(chats_, &ChatOpener::Closed, &frame, [&frame] { frame.SetChatPartner(std::nullopt); });
  connect(&frame, &MainFrame::ChatMessageArrived, chats_, &ChatOpener::ConversationAppended);

  if (auto* contacts = qobject_cast<ContactsModule*>(frame.Module(kContactsModule))) {
    connect(&frame, &MainFrame::ContactInformationRequested, contacts,
            &ContactsModule::OpenAddToContacts);
  }
}

void FrameWindows::OpenEditor(const EditorRequest& request) {
  if (editor_ != nullptr) return;
  editor_ = OpenMessageEditor(editorSetup_, request);
  connect(editor_, &MessageEditor::MessageQueued, &frame_, &MainFrame::ReloadCurrentModule);
}

}  // namespace zeph
