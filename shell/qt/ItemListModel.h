// The rows of the item list as a Qt model: the row count only; each row is
// painted from the document by the list's delegate.
#pragma once

#include <QAbstractListModel>

#include "shell/ItemListRows.h"

class CItemListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit CItemListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}
  CItemListRows& Rows() { return m_rows; }
  const CItemListRows& Rows() const { return m_rows; }
  void Refill(const class CZAVDoc& doc);
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows.RowCount(); }
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  CItemListRows m_rows;
};
