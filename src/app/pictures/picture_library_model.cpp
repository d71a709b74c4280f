#include "app/pictures/picture_library_model.h"

namespace zeph {

PictureLibraryModel::PictureLibraryModel(const PictureList& library, QObject* parent)
    : QAbstractListModel(parent), library_(library), rows_(library.Count()) {}

void PictureLibraryModel::Refill() {
  beginResetModel();
  rows_ = library_.Count();
  endResetModel();
}

void PictureLibraryModel::PictureChanged(int libraryIndex) {
  if (libraryIndex < 0 || libraryIndex >= rows_) return;
  const QModelIndex row = index(libraryIndex);
  emit dataChanged(row, row, {kPictureRole});
}

int PictureLibraryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant PictureLibraryModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  const PictureImage* picture = library_.GetAt(index.row());
  if (picture == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      // Read out by screen readers and found by typing; the list draws the
      // picture only.
      return tr("Picture %1").arg(index.row() + 1);
    case kPictureRole:
      return QByteArray(reinterpret_cast<const char*>(picture->data()),
                        static_cast<qsizetype>(picture->size()));
    case kLibraryIndexRole:
      return index.row();
    default:
      return {};
  }
}

}  // namespace zeph
