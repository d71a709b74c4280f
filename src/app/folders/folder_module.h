#pragma once
// The interface every folder module implements. The frame creates the five
// modules once, as children of the module space, and afterwards only hides
// and shows them, so each keeps its state while another is current.

#include <QSize>
#include <QWidget>

#include "app/folders/module_table.h"

class QKeyEvent;

namespace zeph {

class AppContext;
class ReportListView;

inline constexpr int FM_REFRESH = 1026;
inline constexpr int FM_COMMAND = 1044;
inline constexpr int kSavePictureCommand = 8051;
inline constexpr int kDeleteAllCommand = 8065;
inline constexpr int kModuleListControl = 8001;
inline constexpr int kModuleTitleControl = 8006;

class FolderModule : public QWidget {
  Q_OBJECT

 public:
  FolderModule(int index, AppContext& context, QWidget* parent);

  int Index() const { return index_; }
  const ModuleRow& Row() const;

  // FM_REFRESH: reload and redraw the view. wParam 1 when the module has
  // just become current (or its data changed); 0 when it was hidden.
  virtual void Refresh(int wParam) = 0;
  // FM_COMMAND: 1 New, 2 Reply, 4 Forward, 8 Delete (already confirmed by
  // the user), 16 Chat, on the module's selection.
  virtual void Command(int value) = 0;
  // Command 8051.
  virtual void SavePicture() {}
  // Command 8065, already confirmed.
  virtual void DeleteAll() {}
  // The module space changed size: the module takes the space's size less
  // a margin, never less than its initial size, and lays itself out.
  virtual void SpaceResized(QSize spaceSize);
  // Key-down, key-up and character input forwarded by the module space;
  // true when the module used it.
  virtual bool ForwardKey(QKeyEvent* event);
  // Control 8001, the module's list (Add To Contacts reads its selection).
  virtual ReportListView* ListView() const = 0;

 protected:
  AppContext& Context() const { return context_; }
  // The size the module had when it was made, which it never goes below.
  void SetInitialSize(QSize size);
  QSize InitialSize() const { return initialSize_; }
  // Opens the message folders' context menu at `globalPos` and sends the
  // chosen command to the frame, so it takes the menu bar's path.
  void RunContextMenu(QPoint globalPos);
  // The focus given to the module goes on to its first control.
  void focusInEvent(QFocusEvent* event) override;

 private:
  int index_;
  AppContext& context_;
  QSize initialSize_;
};

// Makes the module of row `index` of the module table.
std::unique_ptr<FolderModule> CreateFolderModule(int index, AppContext& context, QWidget* parent);

}  // namespace zeph
