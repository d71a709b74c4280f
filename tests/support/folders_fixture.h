#pragma once
// The program's own modules against the real card service's demo card (eight
// contacts, three messages waiting), and helpers for its messages, rows and files.

#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <nlohmann/json.hpp>
#include <string>

#include "app/folders/inbox_module.h"
#include "app/folders/message_list_model.h"
#include "app/folders/sent_module.h"
#include "app/platform/device_card_link.h"
#include "app/shell/module_factory.h"
#include "core/store/message_file.h"
#include "support/app_fixture.h"

#ifndef ZEPH_CARDSERVICE_BINARY
#define ZEPH_CARDSERVICE_BINARY ZEPH_CARDSERVICE_PATH
#endif
#include "support/card_service_process.h"

namespace zeph::testing {

// The texts of a column of every row, top to bottom.
inline QStringList Cells(const MessageFolderModule& module, int column = 0) {
  QStringList cells;
  for (int row = 0; row < module.Model()->rowCount(); ++row)
    cells << module.Model()->index(row, column).data().toString();
  return cells;
}

// Clicks the header of `column`, as the user sorts.
inline void ClickHeader(QTreeView* list, int column) {
  QHeaderView* header = list->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

class FoldersFixture : public AppFixture {
 protected:
  explicit FoldersFixture(const std::vector<std::string>& serviceArguments = {"--demo"})
      : service(folder, serviceArguments) {
    IpcOptions options;
    options.socketDir = folder.path().string();
    device = std::make_unique<DeviceCardLink>(options);
    device->OpenPipes();
    services.link = device.get();
    setup.createModule = CreateProgramModule;
  }

  InboxModule* Inbox() const { return static_cast<InboxModule*>(frame->Module(0)); }
  SentModule* Sent() const { return static_cast<SentModule*>(frame->Module(2)); }

  // A message reaching the card: the deliver command's fields.
  void Deliver(nlohmann::json fields) {
    fields["verb"] = "deliver";
    const auto reply = nlohmann::json::parse(service.Control(fields.dump()), nullptr, false);
    ASSERT_TRUE(reply.is_object() && reply.value("ok", false)) << fields.dump();
  }

  // Waits (serving events) until the Inbox list holds `count` records.
  bool InboxReaches(int count, int timeoutMs = 5000) {
    return QTest::qWaitFor([this, count] { return store.Lists().inbox.Count() == count; },
                           timeoutMs);
  }

  // The records of a store file as it is on disk now.
  static std::unique_ptr<MessageList> FileRecords(const std::string& path) {
    auto list = std::make_unique<MessageList>();
    static_cast<void>(LoadMessageFile(path, *list));  // the list says how many
    return list;
  }

  TempFolder folder;
  CardServiceProcess service;
  std::unique_ptr<DeviceCardLink> device;
  std::unique_ptr<MainFrame> frame;
};

}  // namespace zeph::testing
