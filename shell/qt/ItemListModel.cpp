#include "shell/qt/ItemListModel.h"

// A refill after a mark keeps the number of rows: the view keeps its
// layout and repaints the rows it shows, rather than being reset over
// every row of a large key.
void CItemListModel::Refill(const CZAVDoc& doc) {
  if (CItemListRows::RowCountFor(doc) != m_rows.RowCount()) {
    beginResetModel();
    m_rows.FillRows(doc);
    endResetModel();
    return;
  }
  m_rows.FillRows(doc);
  if (m_rows.RowCount() > 0) emit dataChanged(index(0, 0), index(m_rows.RowCount() - 1, 0), {Qt::UserRole});
}

QVariant CItemListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::UserRole && index.isValid()) return m_rows.ItemOrNone(index.row());
  return {};
}
