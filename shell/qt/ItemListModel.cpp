#include "shell/qt/ItemListModel.h"

#include <algorithm>

// A refill keeps the number of rows as long as the order does: the view
// keeps its layout, and only the rows that now hold another item are
// announced. Announcing every row made the view lay out all rows of a large
// key again on every refill, even one that changed nothing.
void CItemListModel::Refill(const CZAVDoc& doc) {
  if (CItemListRows::RowCountFor(doc) != m_rows.RowCount()) {
    beginResetModel();
    m_rows.FillRows(doc);
    endResetModel();
    return;
  }
  const std::vector<int> before = m_rows.Rows();
  m_rows.FillRows(doc);
  const std::vector<int>& after = m_rows.Rows();
  const auto first = std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
  if (first == static_cast<std::ptrdiff_t>(before.size())) return;
  const auto last = before.rend() - std::mismatch(before.rbegin(), before.rend(), after.rbegin()).first - 1;
  emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), 0), {Qt::UserRole});
}

QVariant CItemListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::UserRole && index.isValid()) return m_rows.ItemOrNone(index.row());
  return {};
}
