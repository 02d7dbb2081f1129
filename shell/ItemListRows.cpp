#include "shell/ItemListRows.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "shell/TreeDocumentCalls.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

static bool InRunning(int state) {
  return state == STATE_REMAINING || state == STATE_MISSING_DATA || state == STATE_SELECTED ||
         state == STATE_SELECTED_ELIMINATED;
}

// One walk over the name order: the items still in the running in order,
// then the eliminated ones in order.
void CItemListRows::FillRows(const CZAVDoc& doc) {
  m_typed.clear();
  const auto& order = GetOrderArray(doc);
  const int items = doc.ItemCount();
  const auto count = static_cast<std::size_t>(RowCountFor(doc));
  m_rows.clear();
  m_rows.reserve(count);
  m_eliminated.clear();
  for (const auto& entry : order) {
    const int item = entry->itemIndex;
    if (item < 0 || item >= items) continue;
    const int state = treedoc::ItemState(doc, item);
    if (InRunning(state)) m_rows.push_back(item);
    else if (state == STATE_ELIMINATED || state == STATE_USER_ELIMINATED) m_eliminated.push_back(item);
  }
  m_rows.insert(m_rows.end(), m_eliminated.begin(), m_eliminated.end());
  // As many rows as the order has entries; those no item fills stay empty.
  m_rows.resize(count, -1);
}

int CItemListRows::RowCountFor(const CZAVDoc& doc) {
  return static_cast<int>(std::min(GetOrderArray(doc).size(), static_cast<std::size_t>(std::max(doc.ItemCount(), 0))));
}

int CItemListRows::GetItemAtRow(int row) const {
  if (row == -1) return -1;
  if (row < 0 || row >= RowCount()) ThrowErrorMessage("Wrong order index");
  return m_rows[row];
}

int CItemListRows::GetSelectedItem(int selectedRow) const {
  if (selectedRow < 0 || selectedRow >= RowCount()) {
    if (!m_rows.empty()) ThrowErrorMessage("Wrong item index");
    return 0;
  }
  return m_rows[selectedRow];
}

int CItemListRows::ItemOrNone(int row) const { return row >= 0 && row < RowCount() ? m_rows[row] : -1; }

std::vector<int> CItemListRows::RowsOfItem(int item) const {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(); ++row)
    if (m_rows[row] == item) rows.push_back(row);
  return rows;
}

static std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

int CItemListRows::FindTyped(const CZAVDoc& doc, int from, int to) const {
  for (int row = from; row < to; ++row) {
    if (m_rows[row] < 0) continue;
    const std::string name = GetItemDisplayName(doc, m_rows[row]);
    if (Upper(name.substr(0, m_typed.size())) == m_typed) return row;
  }
  return -1;
}

int CItemListRows::TypeAhead(const CZAVDoc& doc, char key, int currentRow) {
  const unsigned char k = static_cast<unsigned char>(key);
  const bool digit = std::isdigit(k);
  if (!digit && (!std::isalpha(k) || currentRow >= RowCount())) return -1;
  m_typed += static_cast<char>(std::toupper(k));
  const int from = std::clamp(currentRow, 0, RowCount());
  const int found = FindTyped(doc, from, RowCount());
  return found >= 0 ? found : FindTyped(doc, 0, RowCount());
}

static std::string ItemsLabel(const CZAVDoc& doc) {
  return doc.m_header.scientificNamesEnabled ? treedoc::SpeciesLabel(doc) : treedoc::CommonLabel(doc);
}

std::string CItemListRows::ToolTip(const CZAVDoc& doc) { return ItemsLabel(doc) + " List"; }

std::string CItemListRows::Caption(const CZAVDoc& doc) {
  const std::string label = ItemsLabel(doc);
  const int selected = treedoc::SelectedCount(doc);
  const int shown = selected != 0 ? selected : doc.m_remainingCount;
  std::string missing;
  if (const int n = doc.CountMissingDataItems()) missing = " (" + std::to_string(n) + " missing data)";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, " %d / %d", shown, doc.ItemCount());
  return label + buffer + missing;
}

static int MismatchIcon(unsigned mismatches, int otherwise) {
  return mismatches >= 1 && mismatches <= 3 ? static_cast<int>(mismatches) + 2 : otherwise;
}

ItemRowStyle CItemListRows::RowStyle(const CZAVDoc& doc, int item) {
  ItemRowStyle style;
  if (item < 0 || item >= doc.ItemCount()) return style;
  const int state = treedoc::ItemState(doc, item);
  const unsigned m = doc.GetMismatchCount(item);
  style.name = GetItemDisplayName(doc, item);
  style.firstPartLength = GetDisplayNameSplit();
  const std::uint32_t mismatchColour = 0xE68282;
  const bool fewMismatches = m >= 1 && m <= 3;
  switch (state) {
    case STATE_ELIMINATED:
      style = {0, 0xDC7878, 0xDC7878, style.firstPartLength, true, true, style.name};
      break;
    case STATE_REMAINING:
      style.arial = true;
      style.icon = MismatchIcon(m, 1);
      style.text = fewMismatches ? mismatchColour : 0x64C864;
      style.firstPart = m > 0 ? 0xB46464 : 0x3C823C;
      break;
    case STATE_USER_ELIMINATED: style.icon = 6; style.text = 0xE6E682; style.firstPart = 0x969658; break;
    case STATE_MISSING_DATA: style.icon = 2; style.text = 0x8C8CDC; style.firstPart = 0x7878F0; break;
    case STATE_SELECTED:
      style.icon = MismatchIcon(m, 7);
      style.text = fewMismatches ? mismatchColour : 0xFF00FF;
      style.firstPart = 0x0000FF;
      break;
    case STATE_SELECTED_ELIMINATED: style.icon = 8; style.text = 0x0000FF; style.firstPart = 0x0000FF; break;
    default: style.icon = -1; style.text = 0x464646; style.firstPart = 0x000000; break;
  }
  return style;
}
