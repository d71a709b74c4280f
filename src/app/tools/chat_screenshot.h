#pragma once
// The chat window for the README's screenshot: a conversation of six
// messages, one of them a picture, and an answer being written.

#include <QString>

class QWidget;

#include "app/base/module_services.h"

namespace zeph {

// Fills the lists of `services` with the conversation, opens the chat over
// `frame`, saves it to `path`, closes it and takes the messages out again.
// Its clock and settings are its own, so that the picture is the same
// wherever it is made. False when the file cannot be written.
bool SaveChatScreenshot(const ModuleServices& services, QWidget* frame, const QString& path);

}  // namespace zeph
