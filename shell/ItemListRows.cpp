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
    if (InRunning(state))
      m_rows.push_back(item);
    else if (state == STATE_ELIMINATED || state == STATE_USER_ELIMINATED)
      m_eliminated.push_back(item);
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

namespace {

// The colour of each state keeps its hue (the user reads the state from it),
// darkened only as far as text on white and on the selection box needs to be
// readable; the name's first part is a deeper shade of the same hue, so it
// still stands out from the rest of the name.
namespace row_colour {
constexpr std::uint32_t kEliminated = 0x9D5656;  // red
constexpr std::uint32_t kRemaining = 0x3B773B;   // green
constexpr std::uint32_t kRemainingFirst = 0x295929;
constexpr std::uint32_t kMismatch = 0x9A5757;  // red: a few mismatches
constexpr std::uint32_t kMismatchFirst = 0x744040;
constexpr std::uint32_t kUserEliminated = 0x6D6D3E;  // yellow, darkened to olive
constexpr std::uint32_t kUserEliminatedFirst = 0x515131;
constexpr std::uint32_t kMissingData = 0x65659E;  // blue-grey
constexpr std::uint32_t kMissingDataFirst = 0x47478F;
constexpr std::uint32_t kSelected = 0xBD00BD;       // magenta
constexpr std::uint32_t kSelectedFirst = 0x0000FF;  // blue
constexpr std::uint32_t kOther = 0x464646;
constexpr std::uint32_t kOtherFirst = 0x000000;
}  // namespace row_colour

}  // namespace

ItemRowStyle CItemListRows::RowStyle(const CZAVDoc& doc, int item) {
  namespace colour = row_colour;
  ItemRowStyle style;
  if (item < 0 || item >= doc.ItemCount()) return style;
  const int state = treedoc::ItemState(doc, item);
  const unsigned m = doc.GetMismatchCount(item);
  style.name = GetItemDisplayName(doc, item);
  style.firstPartLength = GetDisplayNameSplit();
  const bool fewMismatches = m >= 1 && m <= 3;
  switch (state) {
    case STATE_ELIMINATED:
      style = {0, colour::kEliminated, colour::kEliminated, style.firstPartLength, true, true, style.name};
      break;
    case STATE_REMAINING:
      style.arial = true;
      style.icon = MismatchIcon(m, 1);
      style.text = fewMismatches ? colour::kMismatch : colour::kRemaining;
      style.firstPart = m > 0 ? colour::kMismatchFirst : colour::kRemainingFirst;
      break;
    case STATE_USER_ELIMINATED:
      style.icon = 6;
      style.text = colour::kUserEliminated;
      style.firstPart = colour::kUserEliminatedFirst;
      break;
    case STATE_MISSING_DATA:
      style.icon = 2;
      style.text = colour::kMissingData;
      style.firstPart = colour::kMissingDataFirst;
      break;
    case STATE_SELECTED:
      style.icon = MismatchIcon(m, 7);
      style.text = fewMismatches ? colour::kMismatch : colour::kSelected;
      style.firstPart = colour::kSelectedFirst;
      break;
    case STATE_SELECTED_ELIMINATED:
      style.icon = 8;
      style.text = colour::kSelectedFirst;
      style.firstPart = colour::kSelectedFirst;
      break;
    default:
      style.icon = -1;
      style.text = colour::kOther;
      style.firstPart = colour::kOtherFirst;
      break;
  }
  return style;
}
