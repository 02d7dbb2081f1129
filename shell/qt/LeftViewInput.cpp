// Mouse, keyboard, context menu and commands of the tree pane.
#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include "database/CommandIds.h"
#include "shell/TreeContextMenus.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "platform/qt/ContextMenuKey.h"
#include "reports/qt/ZAVView.h"
#include "shell/qt/LeftView.h"

#include "shell/MenuTreeEditing.h"
#include "shell/qt/TreeModel.h"
#include "shell/PopupCommandIds.h"

using namespace popup_cmd;

namespace {

constexpr int kReportCommands[] = {32782, 32792, 32793, 32806, 32807, 32800, cmd::kFilePrint};

struct MarkCommand {
  int command;
  int mark;
};
constexpr MarkCommand kMarkCommands[] = {{cmd::kMarkYes, MARK_YES},   {cmd::kMarkOr, MARK_OR},
                                         {cmd::kMarkNo, MARK_NO},     {cmd::kMarkNever, MARK_NEVER},
                                         {cmd::kMarkOnly, MARK_ONLY}, {cmd::kMarkClear, MARK_CLEAR}};

}  // namespace

void CLeftView::RegisterOwnCommands() {
  for (const MarkCommand& m : kMarkCommands) AddCommandHandler(m.command, [this, m] { RunMark(m.mark); });
  for (int command : kReportCommands)
    AddCommandHandler(command, [this, command] { m_tree.RunReportCommand(command, SelectedNode()); });
  AddCommandHandler(kExpandMenuTree, [this] { RunExpandCommand(false); });
  AddCommandHandler(kExpandAttributeMenus, [this] { RunExpandCommand(true); });
  for (bool set : {true, false}) {
    AddCommandHandler(set ? kSetForAllItems : kClearForAllItems, [this, set] {
      if (GetNodeKind(SelectedNode()) != KIND_ATTRIBUTE) return;
      // The commands end as every structural edit does; the page links do not.
      if (m_tree.SetAttributeForAllItems(set, static_cast<int>(m_tree.Nodes().Data(SelectedNode()))))
        CMenuTreeEditing(m_tree).SetModifiedAndRefresh();
    });
  }
}

void CLeftView::AddCommandHandler(int command, std::function<void()> handler, std::function<bool()> enabled) {
  m_commands.Add(command, std::move(handler), std::move(enabled));
}

bool CLeftView::HasCommand(int command) const { return m_commands.Has(command); }

void CLeftView::SetCommandOffer(int command, std::function<bool(HTREEITEM)> offered) {
  m_commandOffers[command] = std::move(offered);
}

bool CLeftView::OnCommand(int command) { return m_commands.Run(command); }

std::optional<CommandState> CLeftView::CommandStateOf(int command) {
  if (!HasCommand(command)) return std::nullopt;
  CommandState state;
  if (auto enabled = m_commands.Enabled(command)) state.enabled = *enabled;
  for (const MarkCommand& m : kMarkCommands)
    if (m.command == command) state.enabled = m_tree.CanMark(SelectedNode());
  return state;
}

void CLeftView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  // Only a move made with the keyboard shows a page; a program's or the mouse's
  // does not. The page it asks for hands the keys back to the tree.
  if (!m_byKeyboard || !current.isValid()) return;
  CZAVView::RememberFocusWindow(m_doc, this);
  RunCommand([this, current] { m_tree.ShowNodeReport(CTreeModel::NodeOf(current)); });
}

void CLeftView::keyPressEvent(QKeyEvent* event) {
  if (platform::qt::IsContextMenuKey(*event)) {
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    contextMenuEvent(&menu);
    return;
  }
  if (platform::qt::IsEnterKey(*event) && currentIndex().isValid()) {
    ActivateNode(currentIndex());
    return;
  }
  m_byKeyboard = true;
  QTreeView::keyPressEvent(event);
  m_byKeyboard = false;
}

// Typing finds a node in sight by the name the user reads, its counts left
// out: "|22| Saxifragaceae" is found by "Saxi". Letters typed in quick
// succession add up; the same letter again goes on to the next name with it.
void CLeftView::keyboardSearch(const QString& typed) {
  const bool goesOn = m_typedAt.isValid() && m_typedAt.elapsed() <= QApplication::keyboardInputInterval();
  m_typedAt.start();
  m_typed = goesOn ? m_typed + typed : typed;
  if (m_typed.isEmpty()) return;
  const bool sameLetter = m_typed.count(m_typed.front()) == m_typed.size();
  const QString wanted = sameLetter ? QString(m_typed.front()) : m_typed;
  // A longer name may still be the current node's; a new search moves on.
  const QModelIndex found = FindByName(wanted, !goesOn || sameLetter);
  if (found.isValid()) setCurrentIndex(found);
}

// The rows from top to bottom: a node's children count while it is open.
std::vector<QModelIndex> CLeftView::RowsInSight() const {
  std::vector<QModelIndex> rows;
  std::vector<QModelIndex> pending;
  for (int row = m_model->rowCount() - 1; row >= 0; --row) pending.push_back(m_model->index(row, 0));
  while (!pending.empty()) {
    const QModelIndex index = pending.back();
    pending.pop_back();
    rows.push_back(index);
    if (!isExpanded(index)) continue;
    for (int row = m_model->rowCount(index) - 1; row >= 0; --row) pending.push_back(m_model->index(row, 0, index));
  }
  return rows;
}

// The first row from the current one down, round past the end, whose name
// starts with the letters, whatever their case.
QModelIndex CLeftView::FindByName(const QString& wanted, bool pastCurrent) const {
  const std::vector<QModelIndex> rows = RowsInSight();
  if (rows.empty()) return {};
  const auto current = std::find(rows.begin(), rows.end(), currentIndex());
  std::size_t start = current == rows.end() ? 0 : static_cast<std::size_t>(current - rows.begin());
  if (pastCurrent && current != rows.end()) ++start;
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const QModelIndex& index = rows[(start + n) % rows.size()];
    if (index.data(CTreeModel::kNameRole).toString().startsWith(wanted, Qt::CaseInsensitive)) return index;
  }
  return {};
}

// What a double click on the node does (marking an attribute, a menu's
// report, expanding), for the mouse and for Enter alike.
void CLeftView::ActivateNode(const QModelIndex& index) {
  bool defaultHandling = true;
  RunCommand([&] { defaultHandling = m_tree.DoubleClickNode(CTreeModel::NodeOf(index), m_ctrlHeld()); });
  if (defaultHandling) setExpanded(index, !isExpanded(index));
}

bool CLeftView::IsOnNodeIcon(const QModelIndex& index, const QPoint& point) const {
  const QRect rect = visualRect(index);
  return point.x() >= rect.left() && point.x() <= rect.left() + 18;
}

void CLeftView::LeftPress(const QPoint& point) {
  m_dragBlocked = 0;
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return;
  const HTREEITEM node = CTreeModel::NodeOf(index);
  // The page the press asks for hands the keyboard back to the tree.
  CZAVView::RememberFocusWindow(m_doc, this);
  RunCommand([this, node] { m_tree.PressOnNode(node); });
  SelectWithoutPage(node);
}

void CLeftView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    // The context menu opens once, here; the context-menu event that follows is ignored.
    SelectWithoutPage(CTreeModel::NodeOf(indexAt(point)));
    LeftPress(point);
    OpenContextMenu(point);
    return;
  }
  if (event->button() == Qt::LeftButton) {
    LeftPress(point);
    const QModelIndex index = indexAt(point);
    if (index.isValid() && IsOnNodeIcon(index, point)) {
      OpenContextMenu(point);
      m_dragBlocked = 1;
      return;
    }
  }
  QTreeView::mousePressEvent(event);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_dragBlocked = 1;
  QTreeView::mouseReleaseEvent(event);
}

void CLeftView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->button() == Qt::LeftButton) return ActivateNode(index);
  QTreeView::mouseDoubleClickEvent(event);
}

void CLeftView::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Mouse) return;  // opened by the right press
  const QModelIndex index = currentIndex();
  if (index.isValid()) OpenContextMenu(KeyboardPopupPoint(index));
}

// The keys' popup opens at the node's text in sight. Its row is as wide as
// the tree's longest label, so the row's middle may lie far right of the pane.
QPoint CLeftView::KeyboardPopupPoint(const QModelIndex& index) {
  scrollTo(index);
  QRect text = visualRect(index);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  text.setWidth(std::min(text.width(), itemDelegateForIndex(index)->sizeHint(option, index).width()));
  const QRect inSight = text & viewport()->rect();
  const int x =
      inSight.isEmpty() ? std::clamp(text.center().x(), 0, std::max(0, viewport()->width() - 1)) : inSight.center().x();
  return {x, text.center().y()};
}

std::unique_ptr<QMenu> CLeftView::BuildContextMenu(HTREEITEM node) {
  if (!m_tree.Nodes().IsValid(node)) return nullptr;
  const int kind = GetNodeKind(node);
  const bool editable = IsDatabaseEditable(&m_doc);
  if (!editable && kind == KIND_ATTRIBUTE_MENU) return nullptr;
  auto menu = std::make_unique<QMenu>(QString::fromUtf8(ContextPopupName(kind)), this);
  for (const ContextMenuEntry& entry : ContextPopupEntries(kind, editable)) {
    if (!entry.text) {
      if (!menu->isEmpty()) menu->addSeparator();
      continue;
    }
    if (!HasCommand(entry.command)) continue;
    if (auto offer = m_commandOffers.find(entry.command); offer != m_commandOffers.end() && !offer->second(node))
      continue;
    QAction* action = menu->addAction(QString::fromUtf8(entry.text));
    action->setData(entry.command);
    if (auto state = CommandStateOf(entry.command)) action->setEnabled(state->enabled);
  }
  return menu;
}

void CLeftView::OpenContextMenu(const QPoint& viewportPoint) {
  const QModelIndex index = indexAt(viewportPoint);
  if (!index.isValid()) return;
  const HTREEITEM node = CTreeModel::NodeOf(index);
  SelectWithoutPage(node);
  std::unique_ptr<QMenu> menu = BuildContextMenu(node);
  if (!menu || menu->isEmpty()) return;
  if (QAction* chosen = m_popupRunner(*menu, viewport()->mapToGlobal(viewportPoint))) OnCommand(chosen->data().toInt());
}

void CLeftView::focusOutEvent(QFocusEvent* event) {
  platform::Ui().Trace("TreeView: On Kill Focus from: " + std::to_string(reinterpret_cast<std::uintptr_t>(this)) +
                       "\n");
  CZAVView::RememberFocusWindow(m_doc, this);
  QTreeView::focusOutEvent(event);
}
