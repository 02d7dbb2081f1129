#include "shell/qt/TreeItemDelegate.h"

#include <QPainter>

#include "shell/MenuTree.h"
#include "shell/qt/NodeImages.h"
#include "shell/qt/TreeModel.h"

static QFont NodeFont(const QFont& base, bool arial, bool bold) {
  QFont font = base;
  if (arial) {
    font.setFamily("Arial");
    font.setStyleHint(QFont::SansSerif);
  }
  font.setBold(bold);
  return font;
}

void CTreeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const HTREEITEM node = CTreeModel::NodeOf(index);
  const bool highlighted = option.state & (QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
  const TreeNodeStyle style = m_tree.GetNodeStyle(node, highlighted);
  const std::string utf8Label = m_tree.GetNodeLabel(node);
  const QString label = QString::fromStdString(utf8Label);
  painter->save();
  QRect rect = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  // Menus and attributes have their own grey selection; other nodes the control's.
  const QColor background = style.ownColours ? QColor(QRgb{style.background})
                            : selected       ? option.palette.color(QPalette::Highlight)
                                             : option.palette.color(QPalette::Base);
  const QColor text =
      !style.ownColours && selected ? option.palette.color(QPalette::HighlightedText) : QColor(QRgb{style.text});
  painter->fillRect(rect, background);
  painter->drawPixmap(rect.left() + 1, rect.top() + (rect.height() - 16) / 2,
                      TreeNodePixmap(m_tree.Nodes().Image(node)));
  rect.setLeft(rect.left() + 20);
  const QFont font = NodeFont(option.font, style.arial, style.bold);
  painter->setFont(font);
  painter->setPen(text);
  painter->drawText(rect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, label);
  if (style.countFirst >= 0) {
    // The count part again, bars blanked, blue on white over the first drawing.
    // Its place is given in bytes of the UTF-8 label, not in the UTF-16 units of the widget's text.
    const QString before = QString::fromUtf8(utf8Label.data(), style.countFirst);
    QString part = QString::fromUtf8(utf8Label.data() + style.countFirst, style.countLast - style.countFirst + 1);
    part.front() = ' ';
    part.back() = ' ';
    const QFont countFont = NodeFont(option.font, true, style.countBold);
    QRect partRect = rect;
    partRect.setLeft(rect.left() + QFontMetrics(font).horizontalAdvance(before));
    partRect.setWidth(QFontMetrics(countFont).horizontalAdvance(part));
    painter->fillRect(partRect, Qt::white);
    painter->setFont(countFont);
    painter->setPen(QColor(0, 0, 255));
    painter->drawText(partRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, part);
  }
  // The node with the keyboard focus gets the dotted frame of a focused
  // tree item, so a user of the keys sees where they are.
  if (option.state & QStyle::State_HasFocus) {
    QRect frame = rect;
    frame.setWidth(std::min(rect.width(), QFontMetrics(font).horizontalAdvance(label) + 4));
    painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame.adjusted(-2, 0, -1, -1));
  }
  painter->restore();
}

QSize CTreeItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const HTREEITEM node = CTreeModel::NodeOf(index);
  if (m_measuredViewFont != option.font) {
    m_measuredViewFont = option.font;
    m_labelWidths.UseFont(NodeFont(option.font, true, true));
  }
  const int width = m_labelWidths.Width(QString::fromStdString(m_tree.GetNodeLabel(node)));
  return {width + 26, std::max(18, m_labelWidths.Height() + 2)};
}
