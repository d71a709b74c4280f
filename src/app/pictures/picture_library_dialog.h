#pragma once
// The Picture Library: the library's pictures in a list of several
// columns, with Create New Picture, Edit, Import, Export and Delete. Opened
// from the message editor or the chat window it also chooses a picture to
// attach: OK or a double click answers 1 + the picture's library index.
// Opened from the frame it only keeps the library, and OK is greyed.

#include <QDialog>
#include <QPixmap>
#include <array>
#include <memory>

#include "app/base/module_services.h"

class QListView;
class QMenu;
class QPushButton;

namespace zeph {

class ActionBar;
class PictureFileChooser;
class PictureLibraryModel;

// The library's commands: its buttons, its popup and OK.
enum class PictureCommand : int {
  kCreateNew,
  kEdit,
  kChoose,  // OK
  kDelete,
  kImport,
  kExport,
};

enum class PictureLibraryUse {
  kKeepOnly,  // from the frame: no choosing
  kChoose,    // from a writing window: OK and a double click choose
};

class PictureLibraryDialog final : public QDialog {
  Q_OBJECT

 public:
  // The dialog's commands, in the order of the action bar.
  enum Button { kCreateNewButton, kEditButton, kImportButton, kExportButton, kDeleteButton };

  // Without a chooser the system's file dialogs ask for GMS files.
  PictureLibraryDialog(QWidget* owner, const ModuleServices& services, PictureLibraryUse use,
                       PictureFileChooser* chooser = nullptr);
  ~PictureLibraryDialog() override;

  // A command of the bar, the popup, the keys or OK. Commands that need a
  // selected picture do nothing without one.
  void RunCommand(PictureCommand command);

  // The selected picture's library index; -1 when none is selected.
  int SelectedIndex() const;
  bool ChoosingAllowed() const { return use_ == PictureLibraryUse::kChoose; }

  QListView* List() const { return list_; }
  ActionBar* Bar() const { return bar_; }
  QMenu* Popup() const { return popup_; }
  QAction* Command(Button button) const { return commands_[button]; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The constructor's steps: the list of pictures, then the layout.
  void BuildList();
  void LayOut();
  // One item per picture again, the first selected; Edit, Export and
  // Delete greyed when the library is empty.
  void FillList();
  void OpenEditor(int editIndex);
  void Import();
  void Export();
  void DeleteSelected();
  void Choose();
  // The popup over the item at `position` of the list's viewport.
  void ShowPopup(const QModelIndex& item, QPoint position);

  ModuleServices services_;
  PictureLibraryUse use_;
  std::unique_ptr<PictureFileChooser> ownChooser_;
  PictureFileChooser* chooser_;
  QPixmap strip_;  // the strip down the left edge
  ActionBar* bar_;
  PictureLibraryModel* model_;
  QListView* list_;
  QPushButton* ok_;
  QMenu* popup_;                        // Edit, Export and Delete of an item
  std::array<QAction*, 5> commands_{};  // owned by the dialog
};

// The library opened by the message editor or the chat window: 0 when it
// is closed without a choice, else 1 + the chosen picture's library index.
int ChoosePicture(QWidget* owner, const ModuleServices& services);

// Tools > Picture Library: the library over the frame, without choosing.
void ShowPictureLibrary(QWidget* frame, const ModuleServices& services);

}  // namespace zeph
