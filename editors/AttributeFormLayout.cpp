#include "editors/AttributeFormLayout.h"

#include <algorithm>

#include "database/ZAVDoc.h"

namespace {

class FormBuilder {
 public:
  FormBuilder(const CZAVDoc& doc, const AttributeFormMetrics& m, AttributeFormLayout& out)
      : m_doc(doc), m_m(m), m_out(out), m_y(m.top), m_visited(doc.MenuCount(), false) {}

  void LayOutMenu(int menu, int depth) {
    // A damaged tree that names a menu twice (or itself) is drawn once.
    if (!IsValidIndex(menu, m_doc.MenuCount()) || m_visited[menu]) return;
    m_visited[menu] = true;
    const CQMenudata& record = m_doc.GetMenu(menu);
    if (record.kind == MENU_FREE) return;
    const int x = depth * m_m.indent + m_m.leftMargin;
    m_out.rows.push_back({m_y, x, m_m.titleHeight, menu, -1});
    m_y += m_m.titleSpacing;
    if (record.kind == MENU_OF_MENUS) {
      for (WORD child : record.children) LayOutMenu(child, depth + 1);
      return;
    }
    if (record.children.empty()) return;
    m_y += m_m.titleToCheck - m_m.titleSpacing;
    for (WORD attribute : record.children) {
      if (!IsValidIndex(attribute, m_doc.AttributeCount())) continue;
      m_out.checkRows.push_back(static_cast<int>(m_out.rows.size()));
      m_out.rows.push_back({m_y, x + m_m.checkIndent, m_m.checkHeight, menu, attribute});
      m_out.checks.push_back({m_y, m_m.checkHeight});
      m_out.checkAttributes.push_back(attribute);
      m_y += m_m.checkSpacing;
    }
    m_y += m_m.gapBelowChecks - m_m.checkSpacing;
  }

  int Y() const { return m_y; }

 private:
  const CZAVDoc& m_doc;
  const AttributeFormMetrics& m_m;
  AttributeFormLayout& m_out;
  int m_y;
  std::vector<bool> m_visited;
};

}  // namespace

int AttributeFormLayout::FirstRowBelow(int y) const {
  const auto it = std::partition_point(rows.begin(), rows.end(),
                                       [y](const AttributeFormRow& row) { return row.top + row.height <= y; });
  return static_cast<int>(it - rows.begin());
}

int AttributeFormLayout::CheckOfAttribute(int attribute) const {
  const auto it = std::find(checkAttributes.begin(), checkAttributes.end(), attribute);
  return it == checkAttributes.end() ? -1 : static_cast<int>(it - checkAttributes.begin());
}

AttributeFormLayout LayOutAttributeForm(const CZAVDoc& doc, const AttributeFormMetrics& metrics) {
  AttributeFormLayout layout;
  FormBuilder builder(doc, metrics, layout);
  builder.LayOutMenu(0, 0);
  layout.contentHeight = builder.Y() + metrics.checkHeight;
  return layout;
}
