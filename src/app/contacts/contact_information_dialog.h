#pragma once
// Contact Information: the name and number of a SIM contact,
// new or changed. OK writes the entry to the SIM first and mirrors it in
// the Contacts list (core/folders/sim_contacts.h has the rules). The
// Contacts module opens it modally for New and Edit, and modeless with a
// sender's number for Add To Contacts.

#include <QDialog>
#include <string>

#include "app/base/module_services.h"
#include "core/folders/sim_contacts.h"

class QLineEdit;
class QPushButton;

namespace zeph {

class ContactInformationDialog final : public QDialog {
  Q_OBJECT

 public:
  // A new entry, its number field holding `number` (Windows-1252, filtered
  // like typing) when one is given.
  ContactInformationDialog(QWidget* parent, const ModuleServices& services,
                           const std::string& number = {});
  // The entry at `index` of the Contacts list.
  ContactInformationDialog(QWidget* parent, const ModuleServices& services, int index);

  // OK: saves and closes with 1, except when the card refuses a new entry:
  // then the error box shows error 66 and the dialog stays open with the
  // input. A refused change shows error 66 too, and closes.
  void accept() override;

 private:
  // The fields with their stored values, then their typing limits.
  void Build(const ModuleServices& services, const QString& name, const QString& number);
  void UpdateOk();

  ModuleServices services_;
  ContactEdit edit_;
  QLineEdit* name_;
  QLineEdit* number_;
  QPushButton* ok_;
};

}  // namespace zeph
