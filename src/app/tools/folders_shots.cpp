// The Inbox and Sent messages with the kind of messages the demo card
// brings: the Inbox with a picture message in its preview, the Inbox with
// its popup open over a row, and Sent messages.

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <cstdio>

#include "app/base/folder_actions.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/folders/folder_list_view.h"
#include "app/folders/message_folder_module.h"
#include "app/shell/main_frame.h"
#include "app/tools/sample_pictures.h"
#include "app/tools/shots.h"
#include "core/store/message_file.h"

namespace zeph {
namespace {

struct SampleMessage {
  const char* number;
  int day;  // of December 2026
  int hour;
  int minute;
  const char* text;
  uint32_t flags;
};

constexpr int kSmiley = 1;  // among the sample pictures

// Received, in the order they came; the picture message is the fifth, and
// three are unread.
constexpr SampleMessage kReceived[] = {
    {"+15550103", 1, 18, 12, "Thanks again for Saturday, the cake was a hit!",
     MRF_READ | MRF_REPLIED},
    {"+4930901820", 2, 9, 30,
     "Your table for two is booked for Friday at 19:30. Reply STOP to cancel.",
     MRF_READ | MRF_FORWARDED},
    {"+15550101", 3, 17, 45, "See you at eight at the station?", MRF_READ | MRF_REPLIED},
    {"+15550104", 4, 8, 5,
     "Thanks for the notes from Tuesday. I went through all of them on the train and I think the "
     "plan holds: we start with the small room on the first floor, move the shelves over the "
     "weekend and paint on Monday. Call me when you have a minute.",
     0},
    {"+15550107", 4, 12, 41, "Happy birthday! Have a lovely day.", MRF_PICTURE},
    {"+15550102", 5, 10, 17, "Running ten minutes late, start without me", 0},
    {"+15550105", 5, 11, 2, "Do you still have Farid's new number?", 0},
};

constexpr SampleMessage kSent[] = {
    {"+15550103", 1, 19, 3, "So glad you liked it! Recipe follows on Sunday.", MRF_OUTGOING},
    {"+15550108", 2, 9, 41,
     "Your table for two is booked for Friday at 19:30. Reply STOP to cancel.",
     MRF_OUTGOING | MRF_FORWARDED},
    {"+15550101", 3, 18, 2, "Yes, eight is fine. Platform 3, by the clock.", MRF_OUTGOING},
    {"+15550107", 4, 13, 10, "Thank you, Grete!", MRF_OUTGOING | MRF_PICTURE},
    {"+15550106", 5, 9, 55, "Meeting moved to 3 pm, same room.", MRF_OUTGOING},
};

template <size_t N>
bool WriteFolder(const std::string& path, const SampleMessage (&samples)[N]) {
  MessageList list;
  for (const SampleMessage& sample : samples) {
    auto record = CreateMessageRecord();
    AddNumber(*record, sample.number);
    record->time.year = 2026;
    record->time.month = 12;
    record->time.day = static_cast<uint16_t>(sample.day);
    record->time.hour = static_cast<uint16_t>(sample.hour);
    record->time.minute = static_cast<uint16_t>(sample.minute);
    record->text = sample.text;
    record->flags = sample.flags;
    if (sample.flags & MRF_PICTURE) record->picture = SamplePictures()[kSmiley];
    list.Add(std::move(record));
  }
  return SaveMessageFile(path, list) == static_cast<int>(N);
}

// The module on screen after a switch to `index`, with `row` selected.
MessageFolderModule* ShowFolder(MainFrame& frame, int index, int row) {
  frame.OpenModule(index);
  auto* module = static_cast<MessageFolderModule*>(frame.Module(index));
  module->List()->SelectRow(row);
  return module;
}

// The frame with the message folders' popup open where a right click on
// `row` of the Inbox opens it; the popup is a window of its own, so it is
// drawn into the frame's picture at its place.
bool SaveInboxPopupShot(const ShotContext& context, int row) {
  MessageFolderModule* inbox = ShowFolder(context.frame, 0, row);
  FolderListView* list = inbox->List();
  QMenu* popup = context.frame.Actions().contextMenu;
  const QRect rowRect = list->visualRect(inbox->Model()->index(row, 0));
  popup->popup(list->viewport()->mapToGlobal(rowRect.center() + QPoint(30, 0)));
  QApplication::processEvents();
  QPixmap picture = context.frame.grab();
  {
    QPainter painter(&picture);
    painter.drawPixmap(context.frame.mapFromGlobal(popup->pos()), popup->grab());
  }
  popup->hide();
  const QString path = context.folder + QStringLiteral("/main-inbox-popup.png");
  const bool saved = picture.save(path);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return saved;
}

}  // namespace

bool SaveInboxShot(const ShotContext& context) {
  const StorePaths& paths = context.services.store->Paths();
  if (!WriteFolder(paths.inbox, kReceived) || !WriteFolder(paths.sent, kSent)) {
    std::fputs("cannot write the sample folders\n", stderr);
    return false;
  }
  // On screen first: a module shown for the first time reloads and selects
  // its first row.
  context.frame.show();
  QApplication::processEvents();
  ShowFolder(context.frame, 0, 4);  // the picture message
  return SaveShot(context.frame, context, "main-inbox");
}

bool SaveFoldersShots(const ShotContext& context) {
  bool ok = SaveInboxShot(context);
  ok = SaveInboxPopupShot(context, 1) && ok;
  ShowFolder(context.frame, 2, 2);
  ok = SaveShot(context.frame, context, "main-sent") && ok;
  return ok;
}

}  // namespace zeph
