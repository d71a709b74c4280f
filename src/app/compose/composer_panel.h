#pragma once
// The composer panel inside the message editor: the text
// control with its counter, the send picture, and the recipients with
// "&Add Recipients...". White, with grey frames around the text and the
// recipients and a grey line between them.

#include <QWidget>
#include <memory>

#include "app/base/module_services.h"
#include "core/compose/composer_send.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace zeph {

class MessageTextControl;

class ComposerPanel final : public QWidget {
  Q_OBJECT

 public:
  // Shows the start's text, picture and recipients (a new message has
  // none); the text control may refuse the picture with error 58.
  ComposerPanel(QWidget* parent, const ModuleServices& services, const EditorStart& start);

  // Attaches picture `index` of the picture library; an index the library
  // does not hold attaches nothing.
  void AttachLibraryPicture(int index);
  void RemovePicture();
  // The outgoing record, or none without a recipient.
  std::unique_ptr<MessageRecord> BuildMessage() const;

  const RecipientList& Recipients() const { return recipients_; }
  // Replaces the recipients and shows their names.
  void SetRecipients(RecipientList recipients);
  // Opens Add Recipients modally; OK replaces the recipients.
  void AddRecipients();

  MessageTextControl* TextControl() const { return text_; }
  QString CounterText() const;

 signals:
  // The send picture was clicked.
  void SendClicked();
  // Escape in the text.
  void CloseRequested();
  // The recipients changed; the editor's Send follows whether there are any.
  void RecipientsChanged(bool any);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefreshCounter();
  void ShowRecipients();

  ModuleServices services_;
  RecipientList recipients_;
  MessageTextControl* text_;  // owned by the panel
  QLabel* counter_;           // owned by the panel
  QLabel* sendPicture_;       // owned by the panel
  QListWidget* list_;         // owned by the panel
  QPushButton* add_;          // owned by the panel
};

}  // namespace zeph
