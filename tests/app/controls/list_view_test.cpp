#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QHeaderView>

#include "app/base/resource_icons.h"
#include "app/controls/report_list_view.h"

namespace zeph {
namespace {

TEST(ReportListViewTest, RowsCarryKeysAndImages) {
  ReportListView list;
  QAbstractItemModelTester tester(list.model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  list.SetHeader({"From", "Date & Time"});
  list.InitImageList(
      {IconForResource(IconId::kMessageItem), IconForResource(IconId::kContactItem)});
  EXPECT_EQ(list.AddItem(0, 10, {"+3584011", "Mon 01.01.2024 9:05"}), 0);
  EXPECT_EQ(list.AddItem(1, 20, {"+3584022", "Tue 02.01.2024 10:15"}), 1);
  EXPECT_EQ(list.AddItem(0, 30, {"+3584033"}), 2);

  EXPECT_EQ(list.FindItemByParam(20), 1);
  EXPECT_EQ(list.FindItemByParam(99), -1);
  list.SetSelection(2);
  EXPECT_EQ(list.GetCurSelParam(), 30);
  list.SetSelection(7);  // no such row: the selection stays
  EXPECT_EQ(list.GetCurSelParam(), 30);

  EXPECT_EQ(list.KeyOfRow(5), -1);  // no selection's -1 is the Contacts module's test
}

TEST(ReportListViewTest, AdjustSharesTheWidthKeepingTitlesReadable) {
  ReportListView columns;
  columns.SetHeader({"To", "Message", "Status", "Date & Time"});
  columns.resize(600, 200);
  columns.show();
  columns.AdjustListView(kAdjustFillWidth);
  const int share = columns.viewport()->width() / 4;
  EXPECT_GE(columns.columnWidth(0), share);
  EXPECT_GE(columns.columnWidth(1), share);
  columns.resize(120, 200);  // too narrow to share: titles still fit
  EXPECT_GE(columns.columnWidth(1), columns.header()->sectionSizeHint(1));
}

}  // namespace
}  // namespace zeph
