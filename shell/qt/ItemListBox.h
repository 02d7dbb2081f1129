// The list of items under the tree: one row per item, the items still in the
// running first. Selecting a row by hand shows the item's page.
#pragma once

#include <QListView>
#include <functional>

class CZAVDoc;
class CItemListModel;
class CItemListRows;
class QMenu;

class CItemListBox : public QListView {
  Q_OBJECT
 public:
  CItemListBox(CZAVDoc& doc, QWidget* parent = nullptr);

  CItemListRows& Rows();
  int GetItemAtRow(int row) const;
  int GetSelectedItem() const;
  int SelectedRow() const;
  bool SelectItem(int item);
  // Selects the row without showing a page.
  void SelectRow(int row);
  void FillRows();
  void OnSelChange();
  int RowsPerPage() const { return m_rowsPerPage; }

  // Context menu: "Items" on a row, "MainItems" below the rows.
  std::unique_ptr<QMenu> BuildContextMenu(const QPoint& viewportPoint);
  using PopupRunner = std::function<QAction*(QMenu&, const QPoint&)>;
  void SetPopupRunner(PopupRunner runner) { m_popupRunner = std::move(runner); }
  void SetCommandSink(std::function<bool(int)> sink) { m_commandSink = std::move(sink); }
  void SetCommandFilter(std::function<bool(int)> exists) { m_commandExists = std::move(exists); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyboardSearch(const QString&) override {}
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The rows carry no tips of their own: the list's tip shows over them.
  bool viewportEvent(QEvent* event) override;

 private:
  void OnUserSelection();
  void KeepSelectionVisible();
  int RowNearest(const QPoint& point) const;
  // Selects the row at the point (the last row below the rows), shows its
  // page and runs the popup there.
  void OpenContextMenu(const QPoint& viewportPoint);

  CZAVDoc& m_doc;
  CItemListModel* m_model;
  int m_rowsPerPage = 1;
  bool m_programmatic = false;
  bool m_scrolledByBar = false;
  bool m_pageShown = false;  // whether the selection handling ran during a mouse press
  PopupRunner m_popupRunner;
  std::function<bool(int)> m_commandSink;
  std::function<bool(int)> m_commandExists;
};
