// The explanation of an item's elimination: one sentence per failed mark
// or OR group, in attribute order, with links that select the menu or the
// attribute in the tree. Each sentence ends with ";".
#include <string>

#include "database/ZAVDoc.h"
#include "database/HtmlEscape.h"

namespace {

// The sentences go into the item page as HTML: names are text, not markup.
std::string Link(const char* word, int index, const std::string& text) {
  return "<a href='http://" + std::string(word) + std::to_string(index) + "end'>" + EscapeMarkup(text) + "</a>";
}

// What one item has and might have, for one explanation.
class ItemFacts {
 public:
  ItemFacts(const CZAVDoc& doc, int item)
      : m_doc(doc), m_row(doc.GetItemAttributeBits(item)), m_words(CBitMatrix(doc.AttributeCount(), 1).wordsPerRow()) {
    if (doc.m_missingData) m_lenient = doc.GetLenientRow(item);
  }
  bool Valid() const { return m_row != nullptr; }
  bool Has(int attribute) const {
    return attribute / 32 < static_cast<int>(m_words) && ::TestBit(m_row, static_cast<WORD>(attribute));
  }
  bool NoData(int attribute) const {
    return m_lenient && attribute / 32 < static_cast<int>(m_words) &&
           ::TestBit(m_lenient, static_cast<WORD>(attribute)) && !Has(attribute);
  }
  bool IsAttribute(int attribute) const {
    return attribute >= 0 && attribute < m_doc.AttributeCount() && !m_doc.GetAttribute(attribute).IsFreeSlot();
  }

 private:
  const CZAVDoc& m_doc;
  const DWORD* m_row;
  DWORD m_words;
  const DWORD* m_lenient = nullptr;  // m_words words
};

class Explainer {
 public:
  Explainer(const CZAVDoc& doc, const ItemFacts& facts) : m_doc(doc), m_facts(facts), m_covered(doc.AttributeCount()) {}

  std::vector<std::string> Run() {
    for (int a = 0; a < m_doc.AttributeCount(); ++a) {
      const CQAttdata& attribute = m_doc.GetAttribute(a);
      if (attribute.IsFreeSlot() || m_covered[a] || attribute.menuIndex >= m_doc.MenuCount()) continue;
      Explain(a);
    }
    return std::move(m_sentences);
  }

 private:
  std::string MenuLink(int a) const {
    const WORD menu = m_doc.GetAttribute(a).menuIndex;
    return Link("menu", menu, m_doc.GetMenu(menu).title);
  }
  std::string AttLink(int a) const { return Link("att", a, m_doc.GetAttribute(a).name); }
  const std::vector<WORD>& MenuChildren(int a) const { return m_doc.GetMenu(m_doc.GetAttribute(a).menuIndex).children; }

  void Explain(int a) {
    const BYTE mark = a < static_cast<int>(m_doc.m_marks.size()) ? m_doc.m_marks[a] : BYTE{MARK_CLEAR};
    switch (mark) {
      case MARK_YES:
        if (!m_facts.Has(a)) Lacking(a);
        break;
      case MARK_ONLY:
        m_facts.Has(a) ? AlsoHas(a) : Lacking(a);
        break;
      case MARK_OR:
        OrGroup(a);
        break;
      case MARK_NO:
      case MARK_NEVER:
        if (m_facts.Has(a))
          Add("DOES have " + MenuLink(a) + ", " + AttLink(a) + ";");
        else if (m_facts.NoData(a))
          Lacking(a);
        break;
      default:
        break;
    }
  }

  void Lacking(int a) {
    if (m_facts.NoData(a))
      Add("HAS NO DATA in menu " + MenuLink(a) + ", for " + AttLink(a) + ";");
    else
      Add("Does NOT have " + MenuLink(a) + ", " + AttLink(a) + ";");
  }

  void AlsoHas(int a) {
    std::string others;
    for (WORD other : MenuChildren(a)) {
      if (other == a || !m_facts.IsAttribute(other) || !m_facts.Has(other)) continue;
      others += (others.empty() ? "" : " AND ") + AttLink(other);
    }
    if (!others.empty()) Add("Has " + MenuLink(a) + ", " + AttLink(a) + " but ALSO has " + others + ";");
  }

  void OrGroup(int a) {
    std::string group = AttLink(a);
    bool hasMember = m_facts.Has(a);
    m_covered[a] = true;
    for (WORD other : MenuChildren(a)) {
      if (!m_facts.IsAttribute(other) || other >= m_doc.m_marks.size() || m_doc.m_marks[other] != MARK_OR) continue;
      m_covered[other] = true;
      if (other == a) continue;
      group += " OR " + AttLink(other);
      hasMember = hasMember || m_facts.Has(other);
    }
    if (hasMember) return;
    if (m_facts.NoData(a))
      Add("HAS NO DATA in menu " + MenuLink(a) + " for, " + group + ";");
    else
      Add("Does NOT have " + MenuLink(a) + ", " + group + ";");
  }

  void Add(std::string sentence) { m_sentences.push_back(std::move(sentence)); }

  const CZAVDoc& m_doc;
  const ItemFacts& m_facts;
  std::vector<bool> m_covered;
  std::vector<std::string> m_sentences;
};

}  // namespace

std::vector<std::string> CZAVDoc::ExplainElimination(int item) const {
  if (m_attributes.empty() || m_items.empty() || item < 0 || item >= ItemCount()) return {};
  const DWORD mismatches = GetMismatchCount(item);
  const BYTE state = item < static_cast<int>(m_itemStates.size()) ? m_itemStates[item] : BYTE{STATE_REMAINING};
  if (mismatches < 1 && state != STATE_MISSING_DATA) return {};
  const ItemFacts facts(*this, item);
  if (!facts.Valid()) return {};
  return Explainer(*this, facts).Run();
}
