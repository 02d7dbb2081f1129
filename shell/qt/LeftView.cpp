#include "shell/qt/LeftView.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <utility>

#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "shell/qt/TreeItemDelegate.h"
#include "shell/qt/TreeModel.h"

CLeftView::CLeftView(CZAVDoc& doc, QWidget* parent) : QTreeView(parent), m_doc(doc), m_tree(doc) {
  m_model = new CTreeModel(m_tree, this);
  setModel(m_model);
  setItemDelegate(new CTreeItemDelegate(m_tree, this));
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setRootIsDecorated(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(false);
  setMouseTracking(true);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  m_popupRunner = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
  m_ctrlHeld = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); };
  connect(this, &QTreeView::expanded, this, &CLeftView::OnNodeExpanded);
  RegisterOwnCommands();
  RunCommand([this] { OnInitialUpdate(); });
}

CLeftView::~CLeftView() {
  if (m_doc.m_focusWindow == this) m_doc.m_focusWindow = nullptr;
}

void CLeftView::OnInitialUpdate() {
  m_tree.OnInitialUpdate();
  expand(m_model->IndexOf(m_tree.MenuRoot()));
}

void CLeftView::OnUpdate() { m_tree.OnUpdate(); }

void CLeftView::FillReferences() { m_tree.FillReferences(); }

HTREEITEM CLeftView::SelectedNode() const { return CTreeModel::NodeOf(currentIndex()); }

void CLeftView::MarkAttribute(int mark, HTREEITEM node) { m_tree.MarkAttribute(mark, node, m_ctrlHeld()); }

void CLeftView::RunMark(int mark) {
  RunCommand([this, mark] {
    if (m_tree.CanMark(SelectedNode())) MarkAttribute(mark, SelectedNode());
  });
}

void CLeftView::RefreshTree() {
  setUpdatesEnabled(false);
  m_model->RefreshAll([this] { m_tree.RefreshTree(); });
  setUpdatesEnabled(true);
  viewport()->update();
}

void CLeftView::RepaintTreeControl() { viewport()->update(); }

void CLeftView::RefreshItemList() {
  if (IItemListView* list = m_doc.GetItemListView()) list->FillList();
}

void CLeftView::SelectWithoutPage(HTREEITEM node) {
  const QModelIndex index = m_model->IndexOf(node);
  if (!index.isValid()) {
    selectionModel()->clear();
    return;
  }
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CLeftView::SelectNode(TreeNodeHandle node) { SelectWithoutPage(node); }

// A menu or attribute link of a page takes the reader to that node: the node
// is selected and its page shown, as a click on the node would.
void CLeftView::SelectForLink(HTREEITEM node) {
  SelectWithoutPage(node);
  m_tree.ShowNodeReport(node);
  // An action that shows the found node's page itself (the analysis page's)
  // asks again within the same click; the page is already there.
  m_linkShownNode = node;
  QTimer::singleShot(0, this, [this] { m_linkShownNode = 0; });
}

static void ExpandPath(QTreeView& view, QModelIndex index) {
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) view.expand(p);
}

TreeNodeHandle CLeftView::SelectAttributeNode(int attribute) {
  const HTREEITEM node = m_tree.FindAttributeNode(attribute);
  if (!node) return 0;
  const QModelIndex index = m_model->IndexOf(node);
  ExpandPath(*this, index);
  scrollTo(index);
  horizontalScrollBar()->setValue(0);
  SelectForLink(node);
  return node;
}

TreeNodeHandle CLeftView::SelectMenuNode(int menu, bool firstVisible) {
  const HTREEITEM node = m_tree.FindMenuNode(menu);
  if (!node) return 0;
  const QModelIndex index = m_model->IndexOf(node);
  ExpandPath(*this, index);
  if (firstVisible) expand(index);
  scrollTo(index, firstVisible ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
  horizontalScrollBar()->setValue(0);
  SelectForLink(node);
  return node;
}

std::vector<std::pair<TreeNodeHandle, std::string>> CLeftView::ChildNodes(TreeNodeHandle node) {
  std::vector<std::pair<TreeNodeHandle, std::string>> children;
  for (HTREEITEM child : m_tree.Nodes().Children(node)) children.emplace_back(child, m_tree.GetNodeLabel(child));
  return children;
}

void CLeftView::ShowNodeReport(TreeNodeHandle node) {
  if (node != 0 && std::exchange(m_linkShownNode, 0) == node) return;
  m_tree.ShowNodeReport(node);
}

bool CLeftView::SetAttributeForAllItems(bool set, int attribute) { return m_tree.SetAttributeForAllItems(set, attribute); }

void CLeftView::ApplyRegionMark(int mark, TreeNodeHandle attributeNode) {
  if (mark != MARK_OR)
    MarkAttribute(mark, attributeNode);
  else if (m_regionOrDialog)
    m_regionOrDialog(attributeNode);
}

bool CLeftView::OffersRegionCommand(int command) { return command != kCmdMarkOr || m_regionOrDialog; }

void CLeftView::OnNodeExpanded(const QModelIndex& index) {
  if (!m_autoCollapse) return;
  for (int row = 0; row < m_model->rowCount(index); ++row) collapse(m_model->index(row, 0, index));
}

void CLeftView::ExpandSubtree(HTREEITEM node, bool attributeMenusToo) {
  const int image = m_tree.Nodes().Image(node);
  if (image != IMAGE_ATTRIBUTE_MENU)
    for (HTREEITEM child : m_tree.Nodes().Children(node)) ExpandSubtree(child, attributeMenusToo);
  const QModelIndex index = m_model->IndexOf(node);
  if (image == IMAGE_MENU) expand(index);
  else if (image == IMAGE_ATTRIBUTE_MENU) setExpanded(index, attributeMenusToo);
}

void CLeftView::RunExpandCommand(bool attributeMenusToo) {
  platform::WaitCursor wait;
  m_autoCollapse = 0;
  setUpdatesEnabled(false);
  ExpandSubtree(SelectedNode(), attributeMenusToo);
  setUpdatesEnabled(true);
  m_autoCollapse = 1;
}

void CLeftView::CollapseAll() {
  const HTREEITEM first = m_tree.Nodes().FirstTopLevel();
  for (HTREEITEM child : m_tree.Nodes().Children(first)) {
    if (m_tree.Nodes().Children(child).empty()) continue;
    m_tree.Nodes().ForEachPostOrder(child, [this](HTREEITEM n) { collapse(m_model->IndexOf(n)); });
  }
}
