// Helpers that several app test files share.
#pragma once

#include <QAbstractItemView>
#include <QTest>
#include <string>
#include <vector>

#include "app/shell/main_frame.h"
#include "support/records.h"

namespace zeph::testing {

// A double click on a view's row as a desktop delivers it: a click, then the
// second press as a double click (a view wants the press before it).
inline void DoubleClickRow(QAbstractItemView& view, int row) {
  const QPoint at = view.visualRect(view.model()->index(row, 0)).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

// Notes each writing window the frame asks for: "editor <mode> <folder> <index> <number>|<text>"
// ("-" without a record), or "chat <number>|<text> <owned by the frame>".
inline void NoteWritingRequests(MainFrame& frame, std::vector<std::string>& notes) {
  QObject::connect(&frame, &MainFrame::EditorRequested, [&notes](const EditorRequest& r) {
    notes.push_back("editor " + std::to_string(static_cast<int>(r.mode)) + " " +
                    std::to_string(static_cast<int>(r.folder)) + " " + std::to_string(r.index) +
                    " " + (r.record ? FirstNumber(*r.record) + "|" + TextOf(*r.record) : "-"));
  });
  QObject::connect(&frame, &MainFrame::ChatRequested,
                   [&notes](const MessageRecord& seed, bool ownedByFrame) {
                     notes.push_back("chat " + FirstNumber(seed) + "|" + TextOf(seed) + " " +
                                     std::to_string(ownedByFrame));
                   });
}

}  // namespace zeph::testing
