#pragma once
// Add Recipients: the user picks recipients from the SIM
// contacts or types numbers. It works on a copy of the editor's recipients,
// which OK hands back and Cancel drops.

#include <QDialog>

#include "core/compose/composer_send.h"
#include "core/store/app_lists.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zeph {

class ReportListView;

class AddRecipientsDialog final : public QDialog {
  Q_OBJECT

 public:
  AddRecipientsDialog(QWidget* parent, const ContactList& contacts, RecipientList recipients);

  // The working list: the editor's recipients with what was added and
  // removed here.
  const RecipientList& Recipients() const { return recipients_; }

  // ">>" beside the contacts, a double click or Enter: the selected contact
  // is added (the same contact as often as the user likes).
  void AddSelectedContact();
  // "<<": the selected recipient goes; nothing without a selection.
  void RemoveSelectedRecipient();
  // ">>" beside "Number:", or Enter in it: a number of three characters or
  // more is added as name and number, and the field empties.
  void AddTypedNumber();

 protected:
  // Enter on a contact adds it; Enter in "Number:" adds the number. Neither
  // closes the dialog (Enter in an empty "Number:" is OK's).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The contacts by name, the first selected, and the recipients so far.
  void FillLists();
  // Every change of "Number:" drops what is not a digit or '+' at once.
  void FilterNumber();
  void Append(const Recipient& recipient);

  const ContactList& contacts_;
  RecipientList recipients_;
  ReportListView* contactList_;  // owned by the dialog
  QListWidget* selected_;        // owned by the dialog
  QLineEdit* number_;            // owned by the dialog
};

}  // namespace zeph
