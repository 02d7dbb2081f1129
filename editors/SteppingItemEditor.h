// What the two editors of one item's data share: they edit the item of one
// row of the item list, step to the next or previous row storing without
// asking, and ask before Cancel throws changes away.
#pragma once

#include <functional>
#include <string>

class CZAVDoc;

class SteppingItemEditor {
 public:
  SteppingItemEditor(CZAVDoc& doc, int item, int listRow);
  virtual ~SteppingItemEditor() = default;

  CZAVDoc& Document() const { return m_doc; }
  int Item() const { return m_item; }
  int ListRow() const { return m_listRow; }
  const std::string& ItemName() const { return m_itemName; }
  virtual std::string Caption() const = 0;

  virtual bool IsModified() const = 0;
  virtual void Store() = 0;

  // Stores when modified, then edits the item of the next (previous) row
  // that holds one, wrapping around; stays when no row holds an item.
  void Next() { Step(+1); }
  void Previous() { Step(-1); }
  // Stores when modified.
  void Ok();
  // Asks about unsaved changes; false when the user chose to stay.
  bool Cancel();

 protected:
  // Reads the current item into the form; called again after every step.
  void Load();
  virtual void LoadItem() = 0;
  virtual std::string SaveQuestion() const = 0;
  // What closing the editor does after storing or not.
  virtual void OnClose() {}
  // Selects the editor's row in the item list and shows its page.
  void ShowListRow() const;

 private:
  void Step(int direction);

  CZAVDoc& m_doc;
  int m_item;
  int m_listRow;
  std::string m_itemName;
};

// The row after (direction +1) or before (-1) `row` that holds an item,
// wrapping around the list; -1 when no other row and not `row` itself holds one.
int StepToItemRow(int rowCount, int row, int direction, const std::function<int(int)>& itemAtRow);
