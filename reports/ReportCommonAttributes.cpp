#include "reports/ReportCommonAttributes.h"

#include <vector>

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/MenuText.h"

CReportCommonAttributes::CReportCommonAttributes(CZAVDoc& document) : CReport(document, kReportCommon, -1) {}

void CReportCommonAttributes::Build() {
  WriteHead(false, true);
  AppendHeading1("Common attributes");
  CZAVDoc& doc = Document();
  const int selected = doc.CountSelectedItems();
  const int inPlay = selected != 0 ? selected : doc.m_remainingCount;
  int written = 0;
  if (doc.MenuCount() > 0) {
    if (doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES) written += AppendMenuEntries(0, {}, inPlay);
    for (WORD menu : MenusBelowRoot(doc, true)) written += AppendMenuEntries(menu, MenuTitlePath(doc, menu), inPlay);
  }
  if (written == 0) {
    AppendHtml("<br>");
    AppendVerdana("---");
  }
  WriteFooter(false);
}

int CReportCommonAttributes::AppendMenuEntries(int menu, const std::string& path, int inPlay) {
  const CZAVDoc& doc = Document();
  int written = 0;
  for (WORD a : doc.GetMenu(menu).children) {
    if (a >= doc.AttributeCount() || doc.GetAttribute(a).menuIndex == kNoIndex16) continue;
    const int count = a < doc.m_attributeCounts.size() ? doc.m_attributeCounts[a] : 0;
    if (count != inPlay) continue;
    const std::string& name = doc.GetAttribute(a).name;
    AppendEntry(a, path.empty() && menu == 0 ? name : path + " : " + name);
    ++written;
  }
  return written;
}

void CReportCommonAttributes::AppendEntry(int attribute, const std::string& linkText) {
  AppendHtml("<br>&bull;");
  AppendHtml(FormatLink("att", attribute, VerdanaSpan(linkText)));
  AppendHtml("<span class='Verdana'>" + MarkSuffix(Document().GetAttributeMark(attribute)) + "</span>");
}
