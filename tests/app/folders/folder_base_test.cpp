// What every message folder shares, on a folder made for the test: the row
// model (checked by QAbstractItemModelTester), the column clicks, the
// refresh, the layout and the keys of its list.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>

#include "app/app_test_helpers.h"
#include "app/folders/folder_list_view.h"
#include "app/folders/message_folder_module.h"
#include "core/folders/folder_status.h"
#include "core/folders/sort_order.h"
#include "core/store/message_file.h"
#include "support/folders_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

// The Inbox's columns and commands over the Inbox list, without reception.
class TestFolder final : public MessageFolderModule {
 public:
  TestFolder(int index, const ModuleServices& services, QWidget* parent)
      : MessageFolderModule(index, services, Setup(services), parent) {}
  void Command(FolderCommand) override {}

  std::vector<RefreshReason> refreshes;
  int opened = 0;

 protected:
  void FinishRefresh(RefreshReason reason) override {
    refreshes.push_back(reason);
    MessageFolderModule::FinishRefresh(reason);
  }
  void OpenRow() override { ++opened; }

 private:
  static MessageFolderSetup Setup(const ModuleServices& services) {
    ProgramStore& store = *services.store;
    return {FolderList(store.Lists().inbox, store.Paths().inbox),
            {{StringId::kInboxFromColumn, ColumnContent::kNumberName, kSortNameAscending},
             {StringId::kInboxDateColumn, ColumnContent::kDateTime, kSortTimeAscending}},
            {{QIcon(), QIcon(), QIcon(), QIcon(), QIcon(), QIcon()}, InboxIconOf},
            {.reply = true, .forward = true, .addToContacts = true, .chat = true}};
  }
};

class FolderBaseTest : public AppFixture {
 protected:
  FolderBaseTest() {
    ContactList& contacts = store.Lists().contacts;
    contacts.Add(Contact("Anna Berg", "+15550101", 1));
    contacts.Add(Contact("Ben Okafor", "+15550102", 2));
    // List order: Ben, Anna, a stranger; by date: the stranger, Ben, Anna.
    MessageList& inbox = store.Lists().inbox;
    inbox.Add(Message("+15550102", "two", At(2024, 3, 2, 10, 0)));
    inbox.Add(Message("+15550101", "three", At(2024, 3, 3, 9, 5), MRF_READ));
    inbox.Add(Message("+4915550199", "one", At(2024, 3, 1, 8, 0), MRF_PICTURE));
    EXPECT_EQ(SaveMessageFile(store.Paths().inbox, inbox), 3);  // the refresh reloads it
    setup.createModule = [](int index, const ModuleServices& given, QWidget* parent) {
      return std::unique_ptr<ModulePage>(std::make_unique<TestFolder>(index, given, parent));
    };
  }
};

TEST_F(FolderBaseTest, ModelShowsTheListThroughCoreAndKeepsItsContract) {
  TestFolder module(0, services, nullptr);
  MessageListModel* model = module.Model();
  QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  module.Refresh(RefreshReason::kReload);
  ASSERT_EQ(model->rowCount(), 3);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole), "From");
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole), "Date & Time");
  EXPECT_EQ(Cells(module), (QStringList{"Ben Okafor", "Anna Berg", "+4915550199"}));
  EXPECT_TRUE(model->index(0, 1).data().toString().endsWith(" 02.03.2024 10:00"));
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(model->index(row, 1).data(MessageListModel::kKeyRole), row);
  }
  // A change to the record shows at once; a record gone leaves an empty row
  // until the next rebuild.
  store.Lists().inbox.GetAt(0)->text = "changed";
  model->RecordChanged(0);
  static_cast<void>(store.Lists().inbox.RemoveAt(2));
  EXPECT_EQ(model->index(2, 0).data(), QVariant());
  module.Refresh(RefreshReason::kReload);  // from the file again: three rows
  EXPECT_EQ(model->rowCount(), 3);
  module.SortByColumn(1);
  model->Clear();
  EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(FolderBaseTest, ColumnClicksSortRowsOnlyAndTheNextRefreshIsInListOrder) {
  auto frame = MakeFrame(0);
  auto* module = static_cast<TestFolder*>(frame->Module(0));
  FolderListView* list = module->List();
  list->SelectRow(0);  // Ben
  ClickHeader(list, 0);
  EXPECT_EQ(Cells(*module), (QStringList{"+4915550199", "Anna Berg", "Ben Okafor"}));
  ClickHeader(list, 0);  // which click gives which order is core's
  EXPECT_EQ(Cells(*module), (QStringList{"Ben Okafor", "Anna Berg", "+4915550199"}));
  ClickHeader(list, 1);
  EXPECT_EQ(Cells(*module), (QStringList{"+4915550199", "Ben Okafor", "Anna Berg"}));
  EXPECT_EQ(module->SortCode(), kSortTimeAscending);
  // The selection followed its record; the list kept its order.
  EXPECT_EQ(module->SelectedKey(), 0);
  EXPECT_EQ(FirstNumber(*store.Lists().inbox.GetAt(0)), "+15550102");

  module->Refresh(RefreshReason::kReload);
  EXPECT_EQ(Cells(*module), (QStringList{"Ben Okafor", "Anna Berg", "+4915550199"}));
  EXPECT_FALSE(list->header()->isSortIndicatorShown());
  ClickHeader(list, 1);  // the stored code decides: date again, now descending
  EXPECT_EQ(module->SortCode(), kSortTimeDescending);
}

TEST_F(FolderBaseTest, KeysMoveInTheListADoubleClickOpensTheRowAndRefreshKeepsTheRow) {
  auto frame = MakeFrame(0);
  auto* module = static_cast<TestFolder*>(frame->Module(0));
  FolderListView* list = module->List();
  list->setFocus();
  list->SelectRow(0);
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(module->SelectedKey(), 2);
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(module->SelectedKey(), 1);
  QTest::keyClicks(list, "Be");  // type-ahead on the names
  EXPECT_EQ(module->SelectedKey(), 0);
  DoubleClickRow(*list, 1);
  EXPECT_EQ(module->opened, 1);

  module->List()->SelectRow(2);
  module->refreshes.clear();
  frame->OpenModule(4);
  frame->OpenModule(0);
  // Hidden, shown, and the frame's own reload of the module made current.
  EXPECT_EQ(module->refreshes,
            (std::vector<RefreshReason>{RefreshReason::kSaveOnHide, RefreshReason::kReload,
                                        RefreshReason::kReload}));
  // The remembered row is a position: selected again after each rebuild.
  EXPECT_EQ(module->SelectedKey(), 2);
  static_cast<void>(store.Lists().inbox.RemoveAt(2));
  ASSERT_EQ(SaveMessageFile(store.Paths().inbox, store.Lists().inbox), 2);
  module->Refresh(RefreshReason::kReload);
  EXPECT_EQ(module->SelectedKey(), -1);  // row 2 is gone
}

}  // namespace
}  // namespace zeph::testing
