#include "shell/qt/mylistctrl.h"

#include <QDropEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "shell/qt/NodeImages.h"

namespace {

// Yellow for the selected row, image 1 under image 0 for marked rows.
class PictureRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? QColor(255, 255, 0) : QColor(Qt::white));
    if (option.state & QStyle::State_HasFocus) {
      painter->setPen(QColor(255, 255, 0));
      painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    const QPoint at(option.rect.left() + 1, option.rect.top() + (option.rect.height() - 16) / 2);
    if (index.data(Qt::UserRole).toInt() == 1) painter->drawPixmap(at, PictureListPixmap(1));
    painter->drawPixmap(at, PictureListPixmap(0));
    painter->setPen(Qt::black);
    painter->drawText(option.rect.adjusted(28, 0, 0, 0), Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data().toString());
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 32,
            std::max(16, QFontMetrics(option.font).height())};
  }
};

}  // namespace

CMyListCtrl::CMyListCtrl(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new PictureRowDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::InternalMove);
}

void CMyListCtrl::AddItem(int, const std::string& text, int) { addItem(QString::fromStdString(text)); }

void CMyListCtrl::DeleteString(int index) { delete takeItem(index); }

std::string CMyListCtrl::GetText(int index) const {
  const QListWidgetItem* row = item(index);
  return row ? row->text().toStdString() : std::string();
}

int CMyListCtrl::DeleteItems(int) {
  clear();
  return 0;
}

int CMyListCtrl::SetItemList(const std::string& list) { return SetItemListRows(m_rows, list); }

std::vector<std::string> CMyListCtrl::Texts() const {
  std::vector<std::string> texts;
  for (int row = 0; row < count(); ++row) texts.push_back(GetText(row));
  return texts;
}

bool CMyListCtrl::DropRow(int source, int target) {
  const int at = DropRowPosition(source, target, count());
  if (at < 0) return false;
  QListWidgetItem* moved = takeItem(source);
  insertItem(at, moved);
  setCurrentRow(at);
  return true;
}

int CMyListCtrl::DropTargetAt(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (index.isValid()) return index.row();
  return point.y() >= 1 ? count() : -1;
}

void CMyListCtrl::dropEvent(QDropEvent* event) {
  // Our own rule of where a row lands, not the framework's.
  DropRow(currentRow(), DropTargetAt(event->position().toPoint()));
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
}
