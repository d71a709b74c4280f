#pragma once
// The Contacts windows against the real card service, and helpers that read
// the list, the SIM and the errors.

#include <string>
#include <vector>

#include "app/base/texts.h"
#include "app/contacts/contacts_module.h"
#include "app/controls/report_list_view.h"
#include "core/util/fixed_text.h"
#include "support/folders_fixture.h"

namespace zeph::testing {

class ContactsFixture : public FoldersFixture {
 protected:
  // The frame with Contacts current (or `start`), and its Contacts module.
  ContactsModule* OpenContacts(int start = 4) {
    frame = MakeFrame(start);
    return static_cast<ContactsModule*>(frame->Module(4));
  }

  // The next `count` requests with this id get the error reply.
  void Refuse(uint32_t id, int count = 1) {
    service.Control(R"({"verb":"fault","errorReply":)" + std::to_string(id) + R"(,"count":)" +
                    std::to_string(count) + "}");
  }

  // "name number" of every entry on the SIM, in location order.
  std::vector<std::string> OnSim() {
    std::vector<std::string> entries;
    const nlohmann::json reply = nlohmann::json::parse(service.Control(R"({"verb":"sim-list"})"));
    for (const nlohmann::json& entry : reply["entries"])
      entries.push_back(entry["name"].get<std::string>() + " " +
                        entry["number"].get<std::string>());
    return entries;
  }

  // "name number" of every entry of the Contacts list (UTF-8), in order.
  std::vector<std::string> InList() {
    std::vector<std::string> entries;
    for (const ContactEntry& entry : store.Lists().contacts)
      entries.push_back(FromCp1252(FieldText(entry.name)).toStdString() + " " +
                        FieldText(entry.number));
    return entries;
  }

  // The rows of a list view as "column 1 column 2 ...".
  static QStringList Rows(const ReportListView* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      QStringList texts;
      for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(row)->text(c);
      rows << texts.join(u' ');
    }
    return rows;
  }
};

}  // namespace zeph::testing
