// The Contacts dialogs over the frame, with the demo SIM's contacts.

#include <QLineEdit>

#include "app/base/control_id.h"
#include "app/base/module_services.h"
#include "app/base/program_store.h"
#include "app/contacts/business_card_received_dialog.h"
#include "app/contacts/contact_information_dialog.h"
#include "app/contacts/select_recipient_dialog.h"
#include "app/contacts/send_business_card_dialog.h"
#include "app/shell/main_frame.h"
#include "app/tools/shots.h"
#include "core/codecs/business_card.h"

namespace zeph {

bool SaveContactsShots(const ShotContext& context) {
  const ModuleServices& services = context.services;
  bool ok = true;
  ContactInformationDialog information(&context.frame, services, 4);
  ok = SaveShot(information, context, "contact-information") && ok;
  SendBusinessCardDialog send(&context.frame, services, 0);
  FindControlAs<QLineEdit>(&send, ControlId::kCardRecipient)->setText(QStringLiteral("+15550102"));
  ok = SaveShot(send, context, "send-business-card") && ok;
  SelectRecipientDialog select(&context.frame, services.store->Lists().contacts);
  ok = SaveShot(select, context, "select-recipient") && ok;
  const auto card = ParseBusinessCardText(
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lind;Maja\r\nTEL;CELL:+46 70-123 45 67\r\n"
      "TEL;HOME:+46 8 123 456\r\nTEL;WORK:+46 8 765 432\r\nEND:VCARD\r\n");
  BusinessCardReceivedDialog received(&context.frame, services, *card);
  ok = SaveShot(received, context, "business-card-received") && ok;
  return ok;
}

}  // namespace zeph
