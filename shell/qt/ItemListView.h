// The item list pane: a caption line over the list of items.
#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "editors/RegionSelectOwner.h"
#include "platform/DocumentViews.h"
#include "shell/ItemRegions.h"
#include "shell/qt/CommandMap.h"
#include "shell/qt/CommandTarget.h"

class CZAVDoc;
class CItemListBox;
class QLabel;

class CItemListView : public QWidget, public IItemListView, public CCommandTarget, public IRegionSelectOwner {
  Q_OBJECT
 public:
  CItemListView(CZAVDoc& doc, QWidget* parent = nullptr);
  ~CItemListView() override;

  CZAVDoc& GetDocument() const { return m_doc; }
  CItemListBox& ListBox() const { return *m_list; }
  QString CaptionText() const;

  void FillList() override;
  void RefillUnchangedRows() override;
  void UpdateCaption();
  void SelectItem(int item) override;
  int GetSelectedItemOrNone() override;
  void SelectRow(int row) override;
  int GetSelectedRow() override;
  void OnSelChange() override;
  int RowCount() override;
  int ItemAtRow(int row) override;
  // After item data changed (an editor's OK or Cancel): the states follow
  // the data, the tree recounts, the list keeps its item selected.
  void ReevaluateAfterItemEdit();
  bool EditItemDescription(int item) override;
  void EditItemReferences() override;
  void EditItemAttributes() override;
  bool OffersItemCommand(int command) override;
  // The item editor, once the program has one; true when it ended with OK.
  void SetItemEditor(std::function<bool(int item)> editor) { m_itemEditor = std::move(editor); }

  bool OnCommand(int command) override;
  std::optional<CommandState> CommandStateOf(int command) override;
  // Commands of the list's other concerns join the context menu here.
  void AddCommandHandler(int command, std::function<void()> handler);
  bool HasCommand(int command) const { return m_commands.Has(command); }
  // A command on the selected item; it does nothing while no row holds an item.
  void AddItemCommandHandler(int command, std::function<void(int item)> handler);

  // ---- item regions (ItemListViewRegions.cpp) ----------------------------------
  // Sets the item's attributes by clicking regions on the menus' pictures.
  void EditItemRegions(int item);
  // The region dialog's requests while it runs: store, step, mark or clear all.
  void OnRegionSelectRequest(RegionSelectRequest request, ImageRegionSelectModel& dialog) override;

 private:
  void AddItemEditingCommands();

  CZAVDoc& m_doc;
  QLabel* m_caption;
  CItemListBox* m_list;
  CCommandMap m_commands;
  std::function<bool(int item)> m_itemEditor;
  ItemRegionOwner m_regionOwner;
};
