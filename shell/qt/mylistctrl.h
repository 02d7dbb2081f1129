// A list whose rows the user reorders by dragging; it draws its rows with a
// small image and keeps a row list built from a ";"-separated text.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "shell/PictureListRows.h"

class CMyListCtrl : public QListWidget {
  Q_OBJECT
 public:
  explicit CMyListCtrl(QWidget* parent = nullptr);

  void AddItem(int number, const std::string& text, int flag);
  void DeleteString(int index);
  int GetCount() const { return count(); }
  std::string GetText(int index) const;
  int DeleteItems(int count);
  int GetCurSel() const { return currentRow(); }
  int SetItemList(const std::string& list);
  const std::vector<ItemImageString>& Rows() const { return m_rows; }
  std::vector<std::string> Texts() const;

  // Moves row source as a drop at target does (count: below the last row).
  bool DropRow(int source, int target);
  // The drop target for a point in the viewport: the row under it, or the
  // row count below the rows; -1 above the first pixel row.
  int DropTargetAt(const QPoint& point) const;

 protected:
  void dropEvent(QDropEvent* event) override;

 private:
  std::vector<ItemImageString> m_rows;
};
