#include "database/DatabaseMerge.h"

#include <bit>
#include <utility>

#include "database/BitMatrix.h"
#include "database/MergeReferences.h"
#include "database/MergeTexts.h"
#include "database/ZAVDoc.h"
#include "platform/ErrorBox.h"

namespace {

constexpr int kNotMappedYet = -2;
constexpr int kNotMerged = -1;

// The incoming attribute sits in a menu of attributes other than the root.
bool IsMergeableAttribute(const CZAVDoc& source, int attribute) {
  const WORD menu = source.GetAttribute(attribute).menuIndex;
  return menu != kNoIndex16 && menu != 0 && menu < source.MenuCount() &&
         source.GetMenu(menu).kind == MENU_OF_ATTRIBUTES;
}

}  // namespace

DatabaseMerge::DatabaseMerge(CZAVDoc& target, const CZAVDoc& source)
    : m_target(target),
      m_source(source),
      m_matcher(target),
      m_menus(target, source),
      m_attributeMap(source.AttributeCount(), kNotMappedYet) {}

void DatabaseMerge::Run() {
  // The run-time rows (missing data, per-item bits) would be rebuilt for
  // every item and attribute added, and every added name would be sorted
  // into place: all of that is done once at the end, as after a load.
  const BYTE missingData = std::exchange(m_target.m_missingData, BYTE{0});
  // Each incoming attribute adds at most one attribute.
  int mergeable = 0;
  for (int a = 0; a < m_source.AttributeCount(); ++a) mergeable += IsMergeableAttribute(m_source, a) ? 1 : 0;
  m_target.BeginAddingOnly(mergeable);
  const auto finish = [&] {
    m_target.EndAddingOnly();
    m_target.m_missingData = missingData;
    m_target.BuildAfterLoad();
  };
  try {
    for (int i = 0; i < m_source.ItemCount(); ++i) {
      if (IsUnnamedItem(m_source, i)) continue;
      const int targetItem = MergeItem(i);
      MergeAttributes(i, targetItem);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

int DatabaseMerge::MergeItem(int sourceItem) {
  const ItemNameParts parts = ItemNameParts::Of(m_source, sourceItem);
  const int match = m_matcher.Find(parts);
  if (match < 0) return AddItem(sourceItem, parts);
  const CQItemrec& from = m_source.GetItem(sourceItem);
  CQItemrec& into = m_target.GetItem(match);
  if (into.description != from.description) into.description = from.description;
  MergeReferencePages(m_target, match, m_source, sourceItem);
  ++m_counts.itemsMatched;
  return match;
}

int DatabaseMerge::AddItem(int sourceItem, const ItemNameParts& parts) {
  const CQItemrec& from = m_source.GetItem(sourceItem);
  m_target.AddItem(from.pictures, parts.SpeciesText(), parts.CommonText(), parts.GenusText(), parts.FamilyText(),
                   "Added from merged Database", CZAVDoc::NamePlacement::Appended);
  const int added = m_target.m_currentItem;
  m_target.GetItem(added).description = from.description;
  CopyReferencePages(m_target, added, m_source, sourceItem);
  ++m_counts.itemsAdded;
  return added;
}

void DatabaseMerge::MergeAttributes(int sourceItem, int targetItem) {
  const DWORD* row = m_source.GetItemAttributeBits(sourceItem);
  if (!row) return;
  // Each bit is set as its attribute merges, so an error box midway keeps
  // the bits merged before it. Adding an attribute may move the target's
  // rows: the row is looked up again after one is added.
  DWORD* into = nullptr;
  int columns = -1;
  const int words = (m_source.AttributeCount() + 31) / 32;
  for (int w = 0; w < words; ++w) {
    for (DWORD bits = row[w]; bits != 0; bits &= bits - 1) {
      const int attribute = w * 32 + std::countr_zero(bits);
      if (attribute >= m_source.AttributeCount()) break;
      const int to = MapAttribute(attribute);
      if (to < 0) continue;
      TakeTexts(attribute, to);
      if (columns != m_target.AttributeCount()) {
        columns = m_target.AttributeCount();
        into = m_target.GetItemAttributeBits(targetItem);
      }
      if (into) SetBit(into, static_cast<WORD>(to));
    }
  }
}

// The receiving attribute's help text and pictures are those of the
// incoming attribute merged into it last.
void DatabaseMerge::TakeTexts(int sourceAttribute, int targetAttribute) {
  if (m_textsFrom.size() <= static_cast<std::size_t>(targetAttribute)) m_textsFrom.resize(targetAttribute + 1, -1);
  int& from = m_textsFrom[targetAttribute];
  if (from == sourceAttribute) return;
  from = sourceAttribute;
  const CQAttdata& source = m_source.GetAttribute(sourceAttribute);
  CQAttdata& target = m_target.GetAttribute(targetAttribute);
  target.helpText = source.helpText;
  target.pictures = source.pictures;
}

int DatabaseMerge::MapAttribute(int sourceAttribute) {
  int& done = m_attributeMap[sourceAttribute];
  if (done != kNotMappedYet) return done;
  done = kNotMerged;
  if (!IsMergeableAttribute(m_source, sourceAttribute)) return done;
  const MenuPathMapper::Mapping menu = m_menus.Map(m_source.GetAttribute(sourceAttribute).menuIndex);
  if (menu.conflict) ++m_counts.attributesSkipped;
  if (menu.menu < 0) return done;
  done = FindOrAddAttribute(sourceAttribute, menu.menu);
  return done;
}

int DatabaseMerge::FindOrAddAttribute(int sourceAttribute, int targetMenu) {
  const CQAttdata& from = m_source.GetAttribute(sourceAttribute);
  if (from.name.empty()) ThrowErrorMessage("Attribute name is empty.");
  const int index = m_target.FindAttributeInMenu(from.name, targetMenu);
  return index == kNoIndex16 ? m_target.AddAttribute(from.name, targetMenu) : index;
}
