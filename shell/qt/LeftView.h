// The tree pane: menus, attributes and references of one database. The
// rules live in the core's CMenuTree; this view draws its nodes, turns mouse
// and keyboard input into its operations and offers its commands.
#pragma once

#include <QElapsedTimer>
#include <QTreeView>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "shell/MenuTree.h"
#include "database/Records.h"
#include "platform/DocumentViews.h"
#include "shell/qt/CommandMap.h"
#include "shell/qt/CommandTarget.h"

class CZAVDoc;
class CTreeModel;
class QMenu;

class CLeftView : public QTreeView, public ILeftView, public CCommandTarget {
  Q_OBJECT
 public:
  CLeftView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CLeftView() override;

  CZAVDoc& GetDocument() const { return m_doc; }
  CMenuTree& Tree() { return m_tree; }
  CTreeModel& Model() const { return *m_model; }

  void OnInitialUpdate();
  void FillReferences();
  HTREEITEM SelectedNode() const;
  int GetNodeKind(HTREEITEM node) const { return m_tree.GetNodeKind(node); }
  void MarkAttribute(int mark, HTREEITEM node);
  void ExpandSubtree(HTREEITEM node, bool attributeMenusToo);

  // ---- ILeftView ------------------------------------------------------------
  void RefreshTree() override;
  void CollapseAll() override;
  void RepaintTreeControl() override;
  TreeNodeHandle SelectAttributeNode(int attribute) override;
  TreeNodeHandle SelectMenuNode(int menu, bool firstVisible) override;
  void SelectNode(TreeNodeHandle node) override;
  std::vector<std::pair<TreeNodeHandle, std::string>> ChildNodes(TreeNodeHandle node) override;
  void ShowNodeReport(TreeNodeHandle node) override;
  void RefreshItemList() override;
  bool SetAttributeForAllItems(bool set, int attribute) override;
  void ApplyRegionMark(int mark, TreeNodeHandle attributeNode) override;
  bool OffersRegionCommand(int command) override;
  // The region dialog that OR marks on a picture go through, once the
  // program has one; without it the popup offers no "Mark Or".
  void SetRegionOrDialog(std::function<void(HTREEITEM attributeNode)> dialog) { m_regionOrDialog = std::move(dialog); }
  void OnUpdate() override;
  void ShowDescriptionNode(bool shown) override { m_tree.ShowDescriptionNode(shown); }

  // ---- commands --------------------------------------------------------------
  bool OnCommand(int command) override;
  std::optional<CommandState> CommandStateOf(int command) override;
  // Commands of other concerns (editing the tree) join the context menus here.
  void AddCommandHandler(int command, std::function<void()> handler, std::function<bool()> enabled = {});
  bool HasCommand(int command) const;
  // A command whose entry appears only on the nodes where it can work.
  void SetCommandOffer(int command, std::function<bool(HTREEITEM node)> offered);

  // The context menu of a node, with only the entries whose commands exist;
  // null for no menu (no node, or an attribute menu of a locked database).
  std::unique_ptr<QMenu> BuildContextMenu(HTREEITEM node);
  void OpenContextMenu(const QPoint& viewportPoint);

  // Seams for tests: how a popup is run and whether Ctrl is held.
  using PopupRunner = std::function<QAction*(QMenu&, const QPoint&)>;
  void SetPopupRunner(PopupRunner runner) { m_popupRunner = std::move(runner); }
  void SetCtrlQuery(std::function<bool()> query) { m_ctrlHeld = std::move(query); }
  QAction* RunPopup(QMenu& menu, const QPoint& global) { return m_popupRunner(menu, global); }
  bool DragBlocked() const { return m_dragBlocked != 0; }

 public slots:
  void OnMarkYes() { RunMark(MARK_YES); }
  void OnMarkOr() { RunMark(MARK_OR); }
  void OnMarkNo() { RunMark(MARK_NO); }
  void OnMarkNever() { RunMark(MARK_NEVER); }
  void OnMarkOnly() { RunMark(MARK_ONLY); }
  void OnMarkClear() { RunMark(MARK_CLEAR); }

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyboardSearch(const QString& typed) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void RunMark(int mark);
  void LeftPress(const QPoint& point);
  void ActivateNode(const QModelIndex& index);
  std::vector<QModelIndex> RowsInSight() const;
  QPoint KeyboardPopupPoint(const QModelIndex& index);
  QModelIndex FindByName(const QString& wanted, bool pastCurrent) const;
  bool IsOnNodeIcon(const QModelIndex& index, const QPoint& point) const;
  void SelectWithoutPage(HTREEITEM node);
  void SelectForLink(HTREEITEM node);
  void ScrollToTop(const QModelIndex& index);
  void KeepScrollRoom(int maximum);
  void ShrinkScrollRoom(int value);
  void RunExpandCommand(bool attributeMenusToo);
  // Runs a rebuild of the nodes; the menus open before stay open and the
  // selected node stays selected.
  void KeepingPlace(const std::function<void()>& rebuild);
  void OnNodeExpanded(const QModelIndex& index);
  void RegisterOwnCommands();
  // Inserting, editing, deleting and sorting nodes (LeftViewEditing.cpp).
  void RegisterEditCommands();
  void ShowNewNode(HTREEITEM node);

  CZAVDoc& m_doc;
  CMenuTree m_tree;
  CTreeModel* m_model = nullptr;
  int m_dragBlocked = 0;
  int m_autoCollapse = 1;
  bool m_byKeyboard = false;
  // The letters typed in quick succession, and when the last one came.
  QString m_typed;
  QElapsedTimer m_typedAt;
  CCommandMap m_commands;
  PopupRunner m_popupRunner;
  std::function<bool()> m_ctrlHeld;
  std::function<void(HTREEITEM)> m_regionOrDialog;
  std::map<int, std::function<bool(HTREEITEM)>> m_commandOffers;
  // How far the tree may scroll past its natural end, -1 for not at all: a
  // node that a link put at the top keeps its room below until the user
  // scrolls back up.
  int m_scrollRoom = -1;
};
