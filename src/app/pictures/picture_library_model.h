#pragma once
// The rows of the Picture Library's list: one per library picture, in
// library order. The dialog fills the list again after every change to
// the library, so the model counts the rows at the last fill and never
// meets a library that changed under it.

#include <QAbstractListModel>

#include "core/store/picture_library_file.h"

namespace zeph {

class PictureLibraryModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kPictureRole = Qt::UserRole;           // QByteArray, the 252 bytes
  static constexpr int kLibraryIndexRole = Qt::UserRole + 1;  // int

  PictureLibraryModel(const PictureList& library, QObject* parent);

  // One row per library picture again.
  void Refill();
  // A picture changed in place: its row is drawn again.
  void PictureChanged(int libraryIndex);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const PictureList& library_;
  int rows_ = 0;
};

}  // namespace zeph
