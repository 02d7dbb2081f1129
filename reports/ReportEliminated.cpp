#include "reports/ReportEliminated.h"

#include <vector>

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/MenuText.h"
#include "reports/PageParts.h"
#include "reports/ReportOptions.h"

namespace {

std::string MarkTail(BYTE mark) {
  return "<span class='Verdana'>&nbsp;&mdash;&nbsp;" + std::string(MarkName(mark)) + "</span></div>";
}

std::string OrEmpty(const std::string* text) { return text ? *text : std::string(); }

}  // namespace

CReportEliminated::CReportEliminated(CZAVDoc& document) : CReport(document, kReportEliminated, -1) {}

void CReportEliminated::Build() {
  WriteHead(false, true);
  AppendHeading1("Current Search");
  AppendHtml("<div class='param'>");
  AppendHtml("<div id='marklist'>");
  AppendVerdana("Marks");
  if (AppendMarks() == 0) AppendVerdana("No Marks");
  AppendHtml("</div></div>");  // the mark list and its paragraph
  AppendHtml("<div class='param'>");
  AppendVerdana(Document().m_header.scientificNamesEnabled ? "Eliminated species" : "Eliminated items");
  AppendBreak();
  if (AppendEliminatedItems() == 0) AppendVerdana("No eliminated species");
  AppendHtml("</div>");
  WriteFooter(false);
}

int CReportEliminated::AppendMarks() {
  const CZAVDoc& doc = Document();
  if (doc.MenuCount() == 0) return 0;
  int written = 0;
  auto marked = [&](WORD a) { return a < doc.AttributeCount() && doc.GetAttributeMark(a) != MARK_CLEAR; };
  if (doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES) {
    for (WORD a : doc.GetMenu(0).children) {
      if (!marked(a)) continue;
      AppendHtml(IndentDiv(1) + FormatLink("att", a, TextToHtml(doc.GetAttribute(a).name)) +
                 MarkTail(doc.GetAttributeMark(a)));
      ++written;
    }
  }
  for (WORD m : MenusBelowRoot(doc, true)) {
    const int depth = doc.GetMenuDepth(m);
    const std::string path = MenuTitlePath(doc, m);
    for (WORD a : doc.GetMenu(m).children) {
      if (!marked(a)) continue;
      const std::string text = "&bull;&nbsp;&nbsp;" + TextToHtml(path + " : " + doc.GetAttribute(a).name);
      AppendHtml(IndentDiv(depth + 1) + FormatLink("att", a, text) + MarkTail(doc.GetAttributeMark(a)));
      ++written;
    }
  }
  return written;
}

std::string CReportEliminated::EliminatedText(int item) const {
  const CZAVDoc& doc = Document();
  const CQItemrec& record = doc.GetItem(item);
  const std::string common = OrEmpty(NameAt(doc.m_itemNames, record.nameIndex));
  const std::string species = OrEmpty(NameAt(doc.m_speciesNames, record.speciesIndex));
  const std::string genus = OrEmpty(TextAt(doc.m_genusNames, record.genusIndex));
  const std::string family = OrEmpty(TextAt(doc.m_familyNames, record.familyIndex));
  switch (doc.m_itemListOptions[kListItemOrder]) {
    case 0:
      return genus + " " + species + " / " + family + " / " + common;
    case 1:
      return common + " / " + genus + " " + species + " / " + family;
    default:
      return {};
  }
}

int CReportEliminated::AppendEliminatedItems() {
  const CZAVDoc& doc = Document();
  int written = 0;
  for (const auto& entry : GetOrderArray(doc)) {
    const int item = entry->itemIndex;
    if (item < 0 || item >= doc.ItemCount() || doc.GetItemState(item) != STATE_USER_ELIMINATED) continue;
    AppendHtml(FormatLink("item%20", item, VerdanaSpan(EliminatedText(item))));
    AppendBreak();
    ++written;
  }
  return written;
}
