#pragma once
// Business Card Received: the name and the numbers of a
// received business card, offered for saving to the SIM. Reception calls
// ParseBusinessCard for every received card and waits until the user has
// answered.

#include <QDialog>

#include "app/base/module_services.h"
#include "core/codecs/business_card.h"
#include "core/store/message_record.h"

class QComboBox;

namespace zeph {

class ReportListView;

class BusinessCardReceivedDialog final : public QDialog {
  Q_OBJECT

 public:
  // The name choices and the numbers of `card`, the first number checked.
  BusinessCardReceivedDialog(QWidget* parent, const ModuleServices& services,
                             const BusinessCardFields& card);

  // Save: writes every checked number, in list order, to the SIM as
  // a new entry under the name as the user left it, and appends it to the
  // Contacts list. A number of 24 characters or more, or a write the card
  // refuses, shows error 66 and ends the saving; what was saved stays.
  void accept() override;

  QComboBox* Names() const { return names_; }
  ReportListView* Numbers() const { return numbers_; }

 private:
  ModuleServices services_;
  BusinessCardFields card_;  // the dialog's own copy
  QComboBox* names_;
  ReportListView* numbers_;
};

// Reads a received business card: 0 without a dialog when its text has
// neither an FN nor an N line; else runs Business Card Received modally
// over `owner` and gives 1 when it has closed.
int ParseBusinessCard(const MessageRecord& record, QWidget* owner, const ModuleServices& services);

}  // namespace zeph
