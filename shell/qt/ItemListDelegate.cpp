#include "shell/qt/ItemListDelegate.h"

#include <QPainter>

#include "shell/ItemListRows.h"
#include "shell/qt/NodeImages.h"

static constexpr int kRowHeight = 14;

void CItemListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int item = index.data(Qt::UserRole).toInt();
  if (item < 0) return;
  const ItemRowStyle style = CItemListRows::RowStyle(m_doc, item);
  painter->save();
  const bool selected = option.state & QStyle::State_Selected;
  painter->fillRect(option.rect, QColor(QRgb{selected ? kSelectedRowBackground : kRowBackground}));
  if (option.state & QStyle::State_HasFocus) {
    painter->setPen(Qt::black);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  }
  if (style.icon >= 0) painter->drawPixmap(option.rect.left() + 2, option.rect.top(), ItemRowPixmap(style.icon));
  QFont font = option.font;
  if (style.arial) {
    font.setFamily("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setItalic(style.italic);
    font.setBold(false);
  }
  painter->setFont(font);
  QRect text = option.rect;
  text.setLeft(text.left() + 15);
  const QString name = QString::fromStdString(style.name);
  if (selected) {
    // The text of a selected row stands on its own background.
    const QRect bounds = painter->boundingRect(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    painter->fillRect(bounds.intersected(option.rect), QColor(QRgb{kSelectedTextBackground}));
  }
  painter->setPen(QColor(QRgb{style.text}));
  painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
  if (style.firstPartLength > 0) {
    const QString first = QString::fromStdString(style.name.substr(0, style.firstPartLength));
    painter->setPen(QColor(QRgb{style.firstPart}));
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, first);
  }
  painter->restore();
}

QSize CItemListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {100, std::max(kRowHeight, QFontMetrics(option.font).height())};
}
