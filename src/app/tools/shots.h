#pragma once
// What the screenshot tool's pictures have in common: the frame they are
// taken over, the services they work with, and where they go. Each area of
// the program takes its own pictures in a file of its own.

#include <QString>

class QWidget;

namespace zeph {

class MainFrame;
struct ModuleServices;

struct ShotContext {
  MainFrame& frame;
  const ModuleServices& services;
  QString folder;
  QString suffix = {};  // after each picture's name: "-scale2" for a 2x screen
};

// Shows `widget`, lets it lay itself out and saves it as
// FOLDER/<name><suffix>.png;
// false (with a line on stderr) when the file cannot be written.
bool SaveShot(QWidget& widget, const ShotContext& context, const char* name);

// Each area's pictures; false when one could not be saved.
bool SavePicturesShots(const ShotContext& context);
bool SaveContactsShots(const ShotContext& context);
bool SaveComposeShots(const ShotContext& context);
// The message folders, with sample records written into their files.
bool SaveFoldersShots(const ShotContext& context);
// Of those, only the frame with the Inbox, and only the message editor:
// the pictures taken again on a 2x screen and with a large font.
bool SaveInboxShot(const ShotContext& context);
bool SaveEditorShot(const ShotContext& context);
// The Outbox and Delivery reports with an entry in each state; they
// replace the empty pictures of the two folders.
bool SaveOutboxShots(const ShotContext& context);
// zephui's pages against the card service whose sockets are in
// `serviceDir`, and its window over `noServiceDir`, where none is.
bool SaveCardSettingsShots(const ShotContext& context, const QString& serviceDir,
                           const QString& noServiceDir);

}  // namespace zeph
