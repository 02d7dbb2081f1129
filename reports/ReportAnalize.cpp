#include "reports/ReportAnalize.h"

#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "reports/HtmlWriter.h"

CReportAnalize::CReportAnalize(CZAVDoc& document) : CReport(document, kReportAnalysis, -1) {}

void CReportAnalize::Build() {
  WriteHead(false, true);
  AppendHeading1("Analyze");
  AppendHtml("<div class='param'>");
  AppendVerdana("Most useful menus to narrow search");
  AppendHtml("<br>");
  Analyze();
  const CZAVDoc& doc = Document();
  for (WORD menu : m_ratedMenus) {
    AppendHtml(FormatLink("menu", menu, TextToHtml(doc.GetMenu(menu).title)));
    AppendHtml("<br>");
  }
  AppendHtml("</div>");
  WriteFooter(false);
}

bool CReportAnalize::Refused() {
  const CZAVDoc& doc = Document();
  const bool species = doc.m_header.scientificNamesEnabled != 0;
  if (doc.m_remainingCount == 1) {
    platform::Ui().ShowMessage(species ? "No analysis possible with only one species left"
                                       : "No analysis possible with only one item left");
    return true;
  }
  if (doc.MenuCount() == 0 || doc.GetMenu(0).kind != MENU_OF_MENUS) {
    platform::Ui().ShowMessage("Analysis not possible for database with only one menu");
    return true;
  }
  return false;
}

bool CReportAnalize::Analyze() {
  m_rated.clear();
  m_ratedMenus.clear();
  if (Refused()) return false;
  const CZAVDoc& doc = Document();
  m_counts = CountCandidates(Document(), CollectCandidateItems(doc));
  std::vector<bool> visited(doc.MenuCount(), false);
  RateMenu(0, visited);
  m_counts = {};
  if (m_rated.empty()) {
    platform::Ui().ShowMessage(
        doc.m_header.scientificNamesEnabled
            ? "There are no unmarked menus with attributes that differentiate the remaining species."
            : "There are no unmarked menus with attributes that differentiate the remaining items.");
    return false;
  }
  OrderByBands();
  return true;
}

void CReportAnalize::RateMenu(WORD menu, std::vector<bool>& visited) {
  // Each menu once, so that a cycle in damaged data cannot recurse forever.
  if (menu >= visited.size() || visited[menu]) return;
  visited[menu] = true;
  const CQMenudata& data = Document().GetMenu(menu);
  if (data.kind == MENU_OF_ATTRIBUTES) {
    RateAttributeMenu(menu);
  } else if (data.kind == MENU_OF_MENUS) {
    for (WORD child : data.children) RateMenu(child, visited);
  }
}

void CReportAnalize::RateAttributeMenu(WORD menu) {
  const CZAVDoc& doc = Document();
  if (doc.IsMenuMarked(menu) || doc.IsMenuUseless(menu)) return;
  const std::optional<float> score =
      ScoreMenu(m_counts.attributes, doc.GetMenu(menu).children, m_counts.menus[menu], doc.m_remainingCount);
  if (!score) return;
  if (m_rated.empty()) {
    m_highest = m_lowest = *score;
  } else {
    if (*score < m_lowest) m_lowest = *score;
    if (*score > m_highest) m_highest = *score;
  }
  m_rated.push_back({menu, *score, 0, 0});
}

void CReportAnalize::OrderByBands() {
  const BandThresholds thresholds = ComputeBandThresholds(m_lowest, m_highest);
  for (RatedMenu& r : m_rated) {
    r.band = BandOf(r.score, thresholds);
    r.key = Document().GetMenu(r.menu).difficulty + 2 * r.band;
  }
  ExchangeSortRatedMenus(m_rated);
  for (const RatedMenu& r : m_rated) m_ratedMenus.push_back(r.menu);
}
