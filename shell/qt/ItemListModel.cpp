#include "shell/qt/ItemListModel.h"

void CItemListModel::Refill(const CZAVDoc& doc) {
  beginResetModel();
  m_rows.FillRows(doc);
  endResetModel();
}

QVariant CItemListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::UserRole && index.isValid()) return m_rows.ItemOrNone(index.row());
  return {};
}
