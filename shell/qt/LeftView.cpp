#include "shell/qt/LeftView.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "shell/qt/DescriptionCommand.h"
#include "shell/qt/TreeClipboard.h"
#include "shell/qt/TreeDragDrop.h"
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
  // Labels and images are asked at paint time: a refresh repaints the rows in
  // sight, whichever of them changed.
  connect(m_model, &CTreeModel::nodesRefreshed, viewport(), qOverload<>(&QWidget::update));
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int maximum) { KeepScrollRoom(maximum); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CLeftView::ShrinkScrollRoom);
  RegisterOwnCommands();
  RegisterDescriptionCommand(*this);
  RegisterEditCommands();
  new CTreeClipboard(*this);
  new CTreeDragDrop(*this);
  RunCommand([this] { OnInitialUpdate(); });
}

CLeftView::~CLeftView() {
  if (m_doc.m_focusWindow == this) m_doc.m_focusWindow = nullptr;
}

void CLeftView::OnInitialUpdate() {
  m_tree.OnInitialUpdate();
  expand(m_model->IndexOf(m_tree.MenuRoot()));
}

void CLeftView::OnUpdate() {
  KeepingPlace([this] { m_tree.OnUpdate(); });
}

void CLeftView::KeepingPlace(const std::function<void()>& rebuild) {
  std::vector<TreeNodeKey> open;
  const CTreeNodes& nodes = m_tree.Nodes();
  for (HTREEITEM top : nodes.Children(kNoNode))
    nodes.ForEachPostOrder(top, [&](HTREEITEM node) {
      if (!nodes.Children(node).empty() && isExpanded(m_model->IndexOf(node))) open.push_back(m_tree.KeyOf(node));
    });
  const bool hadSelection = nodes.IsValid(SelectedNode());
  const TreeNodeKey selected = m_tree.KeyOf(SelectedNode());
  rebuild();
  setUpdatesEnabled(false);
  QScopedValueRollback noAutoCollapse(m_autoCollapse, 0);
  for (const TreeNodeKey& key : open) expand(m_model->IndexOf(m_tree.FindByKey(key)));
  if (hadSelection) SelectWithoutPage(m_tree.FindByKey(selected));
  setUpdatesEnabled(true);
}

void CLeftView::FillReferences() { m_tree.FillReferences(); }

HTREEITEM CLeftView::SelectedNode() const { return CTreeModel::NodeOf(currentIndex()); }

// A mark changes the marked node's image and then every count: the model
// tells the view once, after both.
void CLeftView::MarkAttribute(int mark, HTREEITEM node) {
  const bool ctrlHeld = m_ctrlHeld();
  m_model->RefreshAll([&] { m_tree.MarkAttribute(mark, node, ctrlHeld); });
}

void CLeftView::RunMark(int mark) {
  RunCommand([this, mark] {
    if (m_tree.CanMark(SelectedNode())) MarkAttribute(mark, SelectedNode());
  });
}

void CLeftView::RefreshTree() {
  m_model->RefreshAll([this] { m_tree.RefreshTree(); });
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

// A menu or attribute link of a page takes the reader to that node; the
// link's action shows the node's page.
void CLeftView::SelectForLink(HTREEITEM node) {
  SelectWithoutPage(node);
  horizontalScrollBar()->setValue(0);
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
  SelectForLink(node);
  return node;
}

TreeNodeHandle CLeftView::SelectMenuNode(int menu, bool firstVisible) {
  const HTREEITEM node = m_tree.FindMenuNode(menu);
  if (!node) return 0;
  const QModelIndex index = m_model->IndexOf(node);
  ExpandPath(*this, index);
  if (firstVisible) {
    expand(index);
    ScrollToTop(index);
  } else {
    scrollTo(index);
  }
  SelectForLink(node);
  return node;
}

// A node near the end of the tree comes to the top only with room below
// it: the scroll range is stretched as far as the node needs.
void CLeftView::ScrollToTop(const QModelIndex& index) {
  const QRect rect = visualRect(index);
  if (!rect.isValid()) return;
  QScrollBar* bar = verticalScrollBar();
  const int step = verticalScrollMode() == QAbstractItemView::ScrollPerItem ? std::max(1, rect.height()) : 1;
  m_scrollRoom = bar->value() + rect.top() / step;
  bar->setMaximum(std::max(bar->maximum(), m_scrollRoom));
  bar->setValue(m_scrollRoom);
}

// Every layout sets the tree's natural range again; the room stays until
// the natural range covers it.
void CLeftView::KeepScrollRoom(int maximum) {
  if (maximum < m_scrollRoom)
    verticalScrollBar()->setMaximum(m_scrollRoom);
  else if (maximum > m_scrollRoom)
    m_scrollRoom = -1;
}

// Scrolling back up gives back the room that is no longer needed.
void CLeftView::ShrinkScrollRoom(int value) {
  if (value >= m_scrollRoom) return;
  m_scrollRoom = value;
  QMetaObject::invokeMethod(
      this, [this] { updateGeometries(); }, Qt::QueuedConnection);
}

std::vector<std::pair<TreeNodeHandle, std::string>> CLeftView::ChildNodes(TreeNodeHandle node) {
  std::vector<std::pair<TreeNodeHandle, std::string>> children;
  for (HTREEITEM child : m_tree.Nodes().Children(node)) children.emplace_back(child, m_tree.GetNodeLabel(child));
  return children;
}

void CLeftView::ShowNodeReport(TreeNodeHandle node) { m_tree.ShowNodeReport(node); }

bool CLeftView::SetAttributeForAllItems(bool set, int attribute) {
  return m_tree.SetAttributeForAllItems(set, attribute);
}

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
  if (image == IMAGE_MENU)
    expand(index);
  else if (image == IMAGE_ATTRIBUTE_MENU)
    setExpanded(index, attributeMenusToo);
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
  // The rows that were scrolled past are gone: keeping their offset, or the
  // room a link made below a node, would show empty space under a stray
  // scroll bar instead of the menus.
  m_scrollRoom = -1;
  scrollToTop();
  horizontalScrollBar()->setValue(0);
}
