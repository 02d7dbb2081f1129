// The rows of the item list: which item each row shows, the caption above the
// list, type-ahead search and how each row is painted. The Qt list box shows
// these rows and forwards its input here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CZAVDoc;

struct ItemRowStyle {
  int icon = -1;                       // row icon index, -1 for none
  std::uint32_t text = 0x464646;       // 0xRRGGBB
  std::uint32_t firstPart = 0x000000;  // colour of the name's first part
  int firstPartLength = 0;             // leading characters drawn in firstPart
  bool arial = false;                  // false: the control's own font
  bool italic = false;
  std::string name;
};

// A row's text stands on white, or on the selection's own light box inside
// the yellow selected row; every text colour of a row is readable on both.
inline constexpr std::uint32_t kRowBackground = 0xFFFFFF;
inline constexpr std::uint32_t kSelectedRowBackground = 0xFFFF5A;
inline constexpr std::uint32_t kSelectedTextBackground = 0xF0F0C8;
inline constexpr int kItemRowIconCount = 9;

class CItemListRows {
 public:
  // Rebuilds the rows from the document; empties the type-ahead text.
  void FillRows(const CZAVDoc& doc);
  // How many rows a refill from the document gives.
  static int RowCountFor(const CZAVDoc& doc);
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  const std::vector<int>& Rows() const { return m_rows; }

  // The row's item; -1 for row -1; the error box for any other row outside.
  int GetItemAtRow(int row) const;
  // The item of the selected row (-1 for none): the error box when the rows
  // are not empty, else 0.
  int GetSelectedItem(int selectedRow) const;
  // The item of the row, -1 when there is none.
  int ItemOrNone(int row) const;
  std::vector<int> RowsOfItem(int item) const;

  // A typed character: the row to select, or -1 for the default handling.
  int TypeAhead(const CZAVDoc& doc, char key, int currentRow);
  void ClearTypeAhead() { m_typed.clear(); }
  const std::string& TypedText() const { return m_typed; }

  static std::string Caption(const CZAVDoc& doc);
  // The tip of the list: "<label> List", with the label the caption uses.
  static std::string ToolTip(const CZAVDoc& doc);
  static ItemRowStyle RowStyle(const CZAVDoc& doc, int item);

 private:
  int FindTyped(const CZAVDoc& doc, int from, int to) const;

  std::vector<int> m_rows;
  std::vector<int> m_eliminated;  // the refill's second part, kept for its storage
  std::string m_typed;
};
