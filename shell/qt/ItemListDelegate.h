// Paints one item row: icon, colour and font by the item's state and its
// number of mismatches, the name's first part in a second colour.
#pragma once

#include <QStyledItemDelegate>

class CZAVDoc;

class CItemListDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  CItemListDelegate(const CZAVDoc& doc, QObject* parent = nullptr) : QStyledItemDelegate(parent), m_doc(doc) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const CZAVDoc& m_doc;
};
