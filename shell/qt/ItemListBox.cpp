#include "shell/qt/ItemListBox.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

#include "shell/ItemListRows.h"
#include "shell/TreeContextMenus.h"
#include "shell/TreeDocumentCalls.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/qt/ContextMenuKey.h"
#include "reports/Report.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/ItemListDelegate.h"
#include "shell/qt/ItemListModel.h"

CItemListBox::CItemListBox(CZAVDoc& doc, QWidget* parent) : QListView(parent), m_doc(doc) {
  m_model = new CItemListModel(this);
  setModel(m_model);
  setItemDelegate(new CItemListDelegate(doc, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setLayoutMode(QListView::SinglePass);
  m_popupRunner = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
  // A mouse press makes the row current before it selects it, so the page
  // follows the selection, not the current row.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OnUserSelection(); });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_scrolledByBar = true; });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { KeepSelectionVisible(); });
}

CItemListRows& CItemListBox::Rows() { return m_model->Rows(); }

int CItemListBox::GetItemAtRow(int row) const { return m_model->Rows().GetItemAtRow(row); }

int CItemListBox::SelectedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

int CItemListBox::GetSelectedItem() const { return m_model->Rows().GetSelectedItem(SelectedRow()); }

void CItemListBox::SelectRow(int row) {
  m_programmatic = true;
  const QModelIndex index = m_model->index(row, 0);
  if (index.isValid())
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  else
    selectionModel()->clear();
  m_programmatic = false;
}

bool CItemListBox::SelectItem(int item) {
  for (int row : m_model->Rows().RowsOfItem(item)) SelectRow(row);
  viewport()->update();
  return false;
}

// A row that keeps its item may still be painted otherwise (its state or
// mismatches changed): the rows on screen are repainted, those off screen
// are painted from the document when they scroll in.
void CItemListBox::FillRows() {
  m_model->Refill(m_doc);
  viewport()->update();
}

void CItemListBox::OnUserSelection() {
  if (m_programmatic) return;
  m_pageShown = true;
  RunCommand([this] { OnSelChange(); });
}

void CItemListBox::OnSelChange() {
  const int item = m_model->Rows().ItemOrNone(SelectedRow());
  if (item < 0) return;
  m_model->Rows().ClearTypeAhead();
  int saved[3];
  treedoc::SaveItemOptions(saved);
  const int kind = m_doc.m_reportKind;
  if (kind == kReportNone || kind == 0 || kind == kReportMenus || kind == kReportReferences ||
      kind == kReportMenuItem || kind == kReportReferenceItem || kind == kReportItemDescription ||
      kind == kReportAttribute)
    treedoc::ShowItemPage(m_doc, -2000, kSamePage);
  treedoc::RestoreItemOptions(saved);
  CZAVView::RememberFocusWindow(m_doc, this);
  treedoc::ShowItemPage(m_doc, item, kFirstPage);
}

void CItemListBox::keyPressEvent(QKeyEvent* event) {
  if (platform::qt::IsContextMenuKey(*event)) {
    const QPoint at = visualRect(currentIndex()).center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
    contextMenuEvent(&menu);
    return;
  }
  if (platform::qt::IsEnterKey(*event)) return;
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() < 128) {
    const int row =
        m_model->Rows().TypeAhead(m_doc, static_cast<char>(text[0].unicode()), SelectedRow() < 0 ? 0 : SelectedRow());
    if (row >= 0) SelectRow(row);
    if (text[0].isLetterOrNumber()) return;
  }
  QListView::keyPressEvent(event);
}

void CItemListBox::KeepSelectionVisible() {
  if (!m_scrolledByBar) return;
  m_scrolledByBar = false;
  const int row = SelectedRow();
  if (row < 0) return;
  const QModelIndex first = indexAt(QPoint(1, 1));
  const QModelIndex last = indexAt(QPoint(1, viewport()->height() - 1));
  if (first.isValid() && row < first.row()) {
    SelectRow(first.row());
    return;
  }
  if (!last.isValid()) return;
  // The last row the view shows whole: the bottom one when the rows fit exactly.
  const bool whole = visualRect(last).bottom() < viewport()->height();
  const int lastWhole = std::max(first.isValid() ? first.row() : 0, whole ? last.row() : last.row() - 1);
  if (row > lastWhole) SelectRow(lastWhole);
}

bool CItemListBox::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QListView::viewportEvent(event);
  QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip(), viewport());
  return true;
}

void CItemListBox::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  const int rowHeight = m_model->rowCount() > 0 ? std::max(1, sizeHintForRow(0)) : 14;
  m_rowsPerPage = std::max(1, viewport()->height() / rowHeight);
}

int CItemListBox::RowNearest(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (index.isValid()) return index.row();
  return m_model->rowCount() - 1;
}

void CItemListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // The popup opens once, here; the context-menu event that follows is ignored.
    OpenContextMenu(event->position().toPoint());
    return;
  }
  m_pageShown = false;
  QListView::mousePressEvent(event);
  // A click on the row that is already selected changes no selection but
  // still shows the row's page.
  const QModelIndex pressed = indexAt(event->position().toPoint());
  if (!m_pageShown && event->button() == Qt::LeftButton && pressed.isValid() && pressed.row() == SelectedRow())
    OnUserSelection();
}

std::unique_ptr<QMenu> CItemListBox::BuildContextMenu(const QPoint& viewportPoint) {
  const bool onRow = indexAt(viewportPoint).isValid();
  const int popup = onRow ? kItemsPopup : kMainItemsPopup;
  auto menu = std::make_unique<QMenu>(QString::fromUtf8(ContextPopupName(popup)), this);
  for (const ContextMenuEntry& entry : ContextPopupEntries(popup, IsDatabaseEditable(&m_doc))) {
    if (!entry.text || !m_commandExists || !m_commandExists(entry.command)) continue;
    menu->addAction(QString::fromUtf8(entry.text))->setData(entry.command);
  }
  return menu;
}

void CItemListBox::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Mouse) return;  // opened by the right press
  const QModelIndex current = currentIndex();
  OpenContextMenu(current.isValid() ? visualRect(current).center() : QPoint(1, 1));
}

void CItemListBox::OpenContextMenu(const QPoint& point) {
  const int row = RowNearest(point);
  if (row >= 0) {
    SelectRow(row);
    RunCommand([this] { OnSelChange(); });
  }
  std::unique_ptr<QMenu> menu = BuildContextMenu(point);
  if (menu->isEmpty()) return;
  if (QAction* chosen = m_popupRunner(*menu, viewport()->mapToGlobal(point)))
    if (m_commandSink) m_commandSink(chosen->data().toInt());
}
