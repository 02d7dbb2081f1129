// The rows of a reorderable picture list: built from a ";"-separated list of
// names, moved by dragging.
#pragma once

#include <string>
#include <vector>

struct ItemImageString {
  int number = 0;
  std::string text;
  int flag = 0;
};

// Rebuilds rows from a ";"-separated list; 0 for an empty text, else 1.
int SetItemListRows(std::vector<ItemImageString>& rows, const std::string& list);

// Where a row dropped at target (count = below the last row) ends up; -1 when
// the drop changes nothing.
int DropRowPosition(int source, int target, int count);
// Moves the row as a drop does; false when nothing moved.
template <class T>
bool MoveDroppedRow(std::vector<T>& rows, int source, int target) {
  const int at = DropRowPosition(source, target, static_cast<int>(rows.size()));
  if (at < 0) return false;
  T row = std::move(rows[source]);
  rows.erase(rows.begin() + source);
  rows.insert(rows.begin() + at, std::move(row));
  return true;
}
