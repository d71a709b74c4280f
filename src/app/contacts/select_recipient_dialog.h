#pragma once
// Select Recipient: picks one SIM contact by name, for Send
// Business Card.

#include <QDialog>

#include "core/store/app_lists.h"

namespace zeph {

class ReportListView;

class SelectRecipientDialog final : public QDialog {
  Q_OBJECT

 public:
  // One row per contact, sorted by name, the first one selected.
  SelectRecipientDialog(QWidget* parent, const ContactList& contacts);

  // OK or a double click: the result is 1 + the chosen contact's
  // index, 0 when nothing is selected. Cancel gives 0.
  void accept() override;

  ReportListView* List() const { return list_; }

 private:
  ReportListView* list_;
};

// Runs the dialog modally: 0 when cancelled or nothing was chosen, else
// 1 + the index of the chosen contact.
int SelectRecipient(QWidget* owner, const ContactList& contacts);

}  // namespace zeph
