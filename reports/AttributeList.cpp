#include "reports/AttributeList.h"

#include <vector>

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/ItemRows.h"
#include "reports/MenuText.h"
#include "reports/Report.h"

namespace {

void AppendRootAttributes(CReport& report, const ItemRows& rows, const DWORD* row, bool all) {
  const CZAVDoc& doc = report.Document();
  report.AppendVerdana("Attributes");
  AppendBreak();
  AppendVerdanaStart();
  AppendHtml("<span class='attributelist'>");
  for (WORD a : doc.GetMenu(0).children) {
    const bool has = rows.Has(row, a);
    if ((has || all) && a < doc.AttributeCount()) report.AppendAttributeLine(a, 1, has);
  }
  AppendSpanEnd();
  AppendHtml("</span>");
}

void AppendMenuAttributes(CReport& report, int menu, const ItemRows& rows, const DWORD* row, bool all,
                          bool menusWithout) {
  const CZAVDoc& doc = report.Document();
  const int depth = doc.GetMenuDepth(menu);
  std::string lines;
  int counted = 0;
  for (WORD a : doc.GetMenu(menu).children) {
    if (a >= doc.AttributeCount()) continue;
    const bool has = rows.Has(row, a);
    if (has) ++counted;
    if (has || all) lines += report.AttributeLine(a, depth, has);
  }
  if (counted > 0 || all || menusWithout) {
    AppendHtml("<span class='attributemenu'>");
    AppendIndentSpaces(depth);
    AppendHtml(TextToHtml(doc.GetMenu(menu).title));
    AppendHtml("</span>");
  }
  if (!lines.empty()) {
    AppendVerdanaStart();
    AppendHtml(lines);
    AppendSpanEnd();
  } else if (menusWithout || all) {
    AppendIndentSpaces(1);
    AppendHtml("<span class='noAtts'>No attributes selected</span>");
  }
}

}  // namespace

void AppendAttributeList(CReport& report, int item, bool show, bool all, bool menusWithout) {
  const CZAVDoc& doc = report.Document();
  if (doc.AttributeCount() == 0 || doc.ItemCount() == 0 || !show) return;
  AppendHtml("<div class='param'>");
  report.AppendVerdana("Attributes:");
  AppendBreak();
  const ItemRows rows(doc);
  const DWORD* row = rows.Row(item);
  if (doc.MenuCount() > 0 && doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES) AppendRootAttributes(report, rows, row, all);
  AppendHtml("<div id='attributelist'><span class='attributelist'>");
  for (WORD menu : MenusBelowRoot(doc, true)) AppendMenuAttributes(report, menu, rows, row, all, menusWithout);
  AppendHtml("</span></div>");
  AppendHtml("</div>");
}
