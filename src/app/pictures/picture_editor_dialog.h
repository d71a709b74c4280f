#pragma once
// The Picture Editor: a large picture edit control to draw on and a
// small one that previews the picture at its natural size. Save puts the
// picture into the library, as a new picture or over the one being edited,
// and saves the library file; Cancel leaves the library as it was.

#include <QDialog>
#include <QPixmap>
#include <QSize>
#include <string>

#include "core/store/picture_library_file.h"

namespace zeph {

class ActionBar;
class Asker;
class PictureEditControl;

class PictureEditorDialog final : public QDialog {
  Q_OBJECT

 public:
  // The drawing area takes cells of 5 pixels on a grid, the preview cells
  // of 1.
  static constexpr QSize kEditAreaSize{454, 192};
  static constexpr QSize kPreviewSize{91, 54};
  static constexpr int kNewPicture = -1;

  // Edits library picture `editIndex`, or draws a new one from white for
  // kNewPicture. `libraryPath` is where the library is saved; a save that
  // fails is told through `asker`.
  PictureEditorDialog(QWidget* owner, PictureList& library, std::string libraryPath, int editIndex,
                      Asker& asker);

  // Packs the drawing; a new picture is appended to the library, an edited
  // one overwritten in place; the library is saved (a file that cannot be
  // written shows the error box, the picture stays in the library) and the
  // dialog closes with 1.
  void Save();
  // All cells white, the preview with them.
  void ClearAll();

  PictureEditControl* EditArea() const { return editArea_; }
  PictureEditControl* Preview() const { return preview_; }
  ActionBar* Bar() const { return bar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The preview always shows the drawing area's picture: a stroke on the
  // preview itself is replaced at once.
  void FollowEditArea();

  PictureList& library_;
  std::string libraryPath_;
  int editIndex_;
  Asker& asker_;
  QPixmap strip_;  // the strip down the left edge
  ActionBar* bar_;
  PictureEditControl* editArea_;
  PictureEditControl* preview_;
};

}  // namespace zeph
