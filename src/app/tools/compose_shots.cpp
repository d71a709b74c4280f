// The message editor with two recipients and a picture, and Add
// Recipients over it.

#include <QPlainTextEdit>

#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/compose/add_recipients_dialog.h"
#include "app/compose/composer_panel.h"
#include "app/compose/message_editor.h"
#include "app/controls/message_text_control.h"
#include "app/shell/main_frame.h"
#include "app/tools/sample_pictures.h"
#include "app/tools/shots.h"

namespace zeph {

namespace {

MessageEditor* OpenSampleEditor(const ShotContext& context) {
  const MessageEditorSetup editorSetup{context.services, &context.frame, {}};
  MessageEditor* editor = OpenMessageEditor(editorSetup, {});
  editor->Panel()->SetRecipients({{"Anna Berg", "+15550101"}, {"+4930901820", "+4930901820"}});
  editor->Panel()->TextControl()->AttachPicture(SamplePictures().front());
  editor->Panel()->TextControl()->Edit()->insertPlainText(
      QStringLiteral("Happy birthday! Dinner at ours on Saturday, 7 pm?"));
  return editor;
}

}  // namespace

bool SaveEditorShot(const ShotContext& context) {
  MessageEditor* editor = OpenSampleEditor(context);
  const bool ok = SaveShot(*editor, context, "editor");
  editor->close();  // deleted on close
  return ok;
}

bool SaveComposeShots(const ShotContext& context) {
  MessageEditor* editor = OpenSampleEditor(context);
  bool ok = SaveShot(*editor, context, "editor");
  AddRecipientsDialog recipients(editor, context.services.store->Lists().contacts,
                                 editor->Panel()->Recipients());
  ok = SaveShot(recipients, context, "add-recipients") && ok;
  return ok;
}

}  // namespace zeph
