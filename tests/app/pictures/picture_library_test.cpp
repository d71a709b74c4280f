// The Picture Library and the Picture Editor over a real library list and
// its file: Save and Cancel, Import and Export through a file chooser that
// answers from the test, the refusals of files that are no picture files,
// and who may choose a picture. The GMS rules themselves are core's.

#include <QAbstractItemModelTester>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "app/app_test_helpers.h"
#include "app/base/asker.h"
#include "app/base/texts.h"
#include "app/base/user_saves.h"
#include "app/controls/action_bar.h"
#include "app/controls/picture_edit_control.h"
#include "app/pictures/picture_editor_dialog.h"
#include "app/pictures/picture_file_chooser.h"
#include "app/pictures/picture_library_dialog.h"
#include "core/pictures/gms_file.h"
#include "support/accessible_names.h"
#include "support/app_fixture.h"
#include "support/records.h"

namespace zeph::testing {
namespace {

namespace fs = std::filesystem;
using Pictures = std::vector<PictureImage>;

class FakeChooser final : public PictureFileChooser {
 public:
  QString ImportFile(QWidget*) override { return importFile; }
  QString ExportFile(QWidget*) override { return exportFile; }
  QString importFile;
  QString exportFile;
};

class PictureLibraryTest : public AppFixture {
 protected:
  // Puts the pictures into the library and its file.
  void Library(const Pictures& pictures) {
    PictureList& library = Lists().pictures;
    static_cast<void>(library.RemoveAll());
    for (const PictureImage& picture : pictures) {
      library.Add(std::make_unique<PictureImage>(picture));
    }
    ASSERT_EQ(SavePictureLibrary(LibraryPath(), library), library.Count());
  }
  AppLists& Lists() { return store.Lists(); }
  const std::string& LibraryPath() { return store.Paths().pictures; }
  Pictures InMemory() { return {Lists().pictures.begin(), Lists().pictures.end()}; }
  Pictures OnDisk() {
    PictureList loaded;
    static_cast<void>(LoadPictureLibrary(LibraryPath(), loaded));
    return {loaded.begin(), loaded.end()};
  }
  // The library in memory, which its file must hold too.
  Pictures Saved() {
    const Pictures inMemory = InMemory();
    EXPECT_EQ(OnDisk(), inMemory);
    return inMemory;
  }
  std::string Path(const char* name) {
    return (fs::path(documents.path().toStdString()) / name).string();
  }

  std::unique_ptr<PictureEditorDialog> Editor(int index, QWidget* parent = nullptr) {
    auto editor = std::make_unique<PictureEditorDialog>(parent, Lists().pictures, LibraryPath(),
                                                        index, asker);
    editor->show();
    return editor;
  }
  std::unique_ptr<PictureLibraryDialog> Open(PictureLibraryUse use) {
    auto dialog = std::make_unique<PictureLibraryDialog>(nullptr, services, use, &chooser);
    dialog->show();
    QApplication::processEvents();  // the list lays its items out
    return dialog;
  }
  static void Select(PictureLibraryDialog& dialog, int row) {
    dialog.List()->setCurrentIndex(dialog.List()->model()->index(row, 0));
  }

  FakeChooser chooser;
};

TEST_F(PictureLibraryTest, EditorSaveAppendsANewPictureOrOverwritesTheEditedOneCancelKeepsIt) {
  Library({FilledPicture(0x11)});
  auto editor = Editor(PictureEditorDialog::kNewPicture);
  QTest::mouseClick(editor->EditArea(), Qt::LeftButton, {}, EditCellCentre(0, 0));
  EXPECT_EQ(editor->Preview()->Grid(), editor->EditArea()->Grid());
  // A stroke on the preview is replaced by the drawing at once.
  QTest::mouseClick(editor->Preview(), Qt::LeftButton, {}, QPoint(1 + 9 + 40, 1 + 13 + 20));
  EXPECT_EQ(editor->Preview()->Grid(), editor->EditArea()->Grid());

  editor->Save();
  EXPECT_EQ(editor->result(), 1);
  PictureImage drawn{};
  drawn[0] = 0x80;  // the top-left pixel
  EXPECT_EQ(Saved(), (Pictures{FilledPicture(0x11), drawn}));

  // Editing the first picture overwrites it in place; Cancel keeps it.
  auto edited = Editor(0);
  PictureImage shown{};
  PackPicture(edited->EditArea()->Grid(), shown);
  EXPECT_EQ(shown, FilledPicture(0x11));
  QApplication::setActiveWindow(edited.get());  // the bar's commands by their keys
  QTest::keyClick(edited.get(), Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(edited->Preview()->Grid(), EditGrid{});               // Clear All
  QTest::keyClick(edited.get(), Qt::Key_S, Qt::ControlModifier);  // Save
  EXPECT_EQ(edited->result(), 1);
  EXPECT_EQ(Saved(), (Pictures{FilledPicture(0x00), drawn}));

  auto cancelled = Editor(0);
  QTest::mouseClick(cancelled->EditArea(), Qt::LeftButton, {}, EditCellCentre(3, 3));
  QTest::keyClick(cancelled.get(), Qt::Key_Escape);
  EXPECT_EQ(cancelled->result(), 0);
  EXPECT_EQ(Saved(), (Pictures{FilledPicture(0x00), drawn}));
}

TEST_F(PictureLibraryTest, CreateNewPictureOpensTheEditorAndListsTheSavedPicture) {
  Library({FilledPicture(0x11)});
  auto dialog = Open(PictureLibraryUse::kKeepOnly);
  QAbstractItemModelTester tester(dialog->List()->model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  bool editorOpened = false;
  auto watch = OnNextModal([&editorOpened](QWidget* modal) {
    auto* editor = qobject_cast<PictureEditorDialog*>(modal);
    editorOpened = editor != nullptr;
    if (editor == nullptr) {
      modal->close();
      return;
    }
    QTest::mouseClick(editor->EditArea(), Qt::LeftButton, {}, EditCellCentre(71, 27));
    editor->Save();
  });
  dialog->Bar()->ButtonAt(PictureLibraryDialog::kCreateNewButton)->click();
  EXPECT_TRUE(editorOpened);
  ASSERT_EQ(Saved().size(), 2u);
  EXPECT_EQ(dialog->List()->model()->rowCount(), 2);
}

TEST_F(PictureLibraryTest, AnExportedPictureImportsOnlyIntoALibraryWithoutIt) {
  Library({FilledPicture(0x11), FilledPicture(0x22)});
  auto dialog = Open(PictureLibraryUse::kChoose);
  chooser.exportFile = chooser.importFile = QString::fromStdString(Path("two.gms"));
  Select(*dialog, 1);
  dialog->RunCommand(PictureCommand::kExport);  // the file's layout is core's
  // A picture held already is not imported again: picture_exchange_test.

  asker.answer = true;
  dialog->RunCommand(PictureCommand::kDelete);
  EXPECT_EQ(OnDisk(), Pictures{FilledPicture(0x11)});
  dialog->RunCommand(PictureCommand::kImport);
  EXPECT_EQ(Saved(), (Pictures{FilledPicture(0x11), FilledPicture(0x22)}));
  EXPECT_EQ(dialog->List()->model()->rowCount(), 2);
}

// Which files are no picture files is the GMS reader's rule; here a refusal (a folder)
// adds nothing and shows no message, and a failed export leaves no file and says why.
TEST_F(PictureLibraryTest, RefusedImportsAndFailedExportsChangeNothing) {
  Library({FilledPicture(0x11)});
  auto dialog = Open(PictureLibraryUse::kChoose);
  fs::create_directory(Path("refused.gms"));
  chooser.importFile = QString::fromStdString(Path("refused.gms"));
  dialog->RunCommand(PictureCommand::kImport);
  EXPECT_EQ(Saved(), Pictures{FilledPicture(0x11)});
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no message
  fs::remove_all(Path("refused.gms"));
  chooser.exportFile.clear();  // cancelled
  dialog->RunCommand(PictureCommand::kExport);
  EXPECT_TRUE(asker.failures.empty());
  chooser.exportFile = QString::fromStdString(Path("missing/one.gms"));
  dialog->RunCommand(PictureCommand::kExport);
  EXPECT_EQ(asker.failures,
            std::vector<QString>{WriteFailureText(Path("missing/one.gms"), ENOENT)});
  const fs::directory_iterator files(documents.path().toStdString());
  EXPECT_EQ(std::vector<fs::path>(fs::begin(files), fs::end(files)),
            std::vector<fs::path>{LibraryPath()});  // the library file is all there is
}

// Every save of a library that cannot be written (a folder in its file's place) says why;
// the pictures stay in memory.
TEST_F(PictureLibraryTest, ALibraryThatCannotBeWrittenIsToldAtEverySave) {
  Library({FilledPicture(0x11), FilledPicture(0x22)});
  ASSERT_TRUE(SaveGmsFile(Path("new.gms"), FilledPicture(0x44)));
  fs::remove(LibraryPath());
  fs::create_directory(LibraryPath());
  Editor(PictureEditorDialog::kNewPicture)->Save();
  auto dialog = Open(PictureLibraryUse::kKeepOnly);
  dialog->RunCommand(PictureCommand::kDelete);
  chooser.importFile = QString::fromStdString(Path("new.gms"));
  dialog->RunCommand(PictureCommand::kImport);
  SavePictureToLibrary(store, asker, FilledPicture(0x33));  // Save Picture
  EXPECT_EQ(asker.failures, std::vector<QString>(4, WriteFailureText(LibraryPath(), EISDIR)));
  EXPECT_EQ(InMemory().size(), 4u);
}

TEST_F(PictureLibraryTest, OnlyAWritingWindowsLibraryChoosesAndAnswersOnePlusTheIndex) {
  Library({FilledPicture(0x11), FilledPicture(0x22), FilledPicture(0x33)});
  // Opened from the frame, then from a writing window: a double click on the third picture.
  for (auto [use, chooses] :
       {std::pair{PictureLibraryUse::kKeepOnly, false}, {PictureLibraryUse::kChoose, true}}) {
    auto dialog = Open(use);
    EXPECT_EQ(dialog->OkButton()->isEnabled(), chooses);
    DoubleClickRow(*dialog->List(), 2);
    EXPECT_EQ(dialog->isVisible(), !chooses);
    EXPECT_EQ(dialog->result(), chooses ? 3 : 0);
  }

  auto withOk = Open(PictureLibraryUse::kChoose);
  EXPECT_EQ(withOk->SelectedIndex(), 0);  // the first picture is selected at opening
  withOk->OkButton()->click();
  EXPECT_EQ(withOk->result(), 1);

  // An empty library greys Edit, Export and Delete, and has nothing to choose.
  Library({});
  auto empty = Open(PictureLibraryUse::kChoose);
  std::vector<bool> enabled;
  for (int i = 0; i < empty->Bar()->ButtonCount(); ++i) {
    enabled.push_back(empty->Bar()->ButtonAt(i)->isEnabled());
  }
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, false, false}));
  empty->OkButton()->click();
  EXPECT_TRUE(empty->isVisible());
}

TEST_F(PictureLibraryTest, TheDeleteKeyAsksAndOnlyYesDeletes) {
  Library({FilledPicture(0x11), FilledPicture(0x22)});
  auto dialog = Open(PictureLibraryUse::kKeepOnly);
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  Select(*dialog, 1);
  asker.answer = false;
  QTest::keyClick(dialog->List(), Qt::Key_Delete);
  EXPECT_EQ(asker.questions, std::vector<QString>{Text(StringId::kDeleteSelectedQuestion)});
  EXPECT_EQ(asker.captions, std::vector<QString>{Text(StringId::kQuestionCaption)});
  EXPECT_EQ(InMemory().size(), 2u);
  asker.answer = true;
  QTest::keyClick(dialog->List(), Qt::Key_Delete);
  EXPECT_EQ(Saved(), Pictures{FilledPicture(0x11)});
}

TEST_F(PictureLibraryTest, EveryControlOfBothDialogsHasANameForAssistiveTechnology) {
  Library({FilledPicture(0x11), FilledPicture(0x22)});
  auto library = Open(PictureLibraryUse::kChoose);
  auto editor = Editor(0, library.get());
  EXPECT_EQ(Unnamed(library.get()) + Unnamed(editor.get()), QStringList());
  EXPECT_EQ(
      (QStringList{AccessibleName(library->List()),
                   AccessibleName(library->Bar()->ButtonAt(PictureLibraryDialog::kCreateNewButton)),
                   AccessibleName(editor->Preview())}),
      (QStringList{"Picture messages available:", "Create New Picture", "Preview:"}));
  EXPECT_FALSE(AccessibleName(editor->EditArea()).isEmpty());
}

}  // namespace
}  // namespace zeph::testing
