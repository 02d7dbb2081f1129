// Paints the tree's nodes in the colours and fonts that tell which menus and
// attributes still separate the remaining items, with the count part of the
// label in blue.
#pragma once

#include <QStyledItemDelegate>
#include <optional>

#include "shell/qt/TextWidthCache.h"

class CMenuTree;

class CTreeItemDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  CTreeItemDelegate(const CMenuTree& tree, QObject* parent = nullptr) : QStyledItemDelegate(parent), m_tree(tree) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const CMenuTree& m_tree;
  // Labels are measured in bold Arial made from the view's font.
  mutable std::optional<QFont> m_measuredViewFont;
  mutable TextWidthCache m_labelWidths;
};
