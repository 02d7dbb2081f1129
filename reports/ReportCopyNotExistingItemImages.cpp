#include "reports/ReportCopyNotExistingItemImages.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"

CReportCopyNotExistingItemImages::CReportCopyNotExistingItemImages(CZAVDoc& document, std::string importFolder)
    : CReportPictureImport(document, kReportPictureImport1, std::move(importFolder)) {}

void CReportCopyNotExistingItemImages::Build() {
  if (!ImportFolderAccepted()) return;
  WriteHead(false, true);
  AppendHeading1("Images import report");
  AppendHtml("<div class='param'>");
  CZAVDoc& doc = Document();
  for (const auto& entry : GetOrderArray(doc)) {
    const int item = entry->itemIndex;
    if (item < 0 || item >= doc.ItemCount() || !doc.IsItemRemaining(item)) continue;
    AppendItem(item);
  }
  AppendHtml("</div>");
  WriteFooter(false);
}

void CReportCopyNotExistingItemImages::AppendItem(int item) {
  CZAVDoc& doc = Document();
  const std::string name = GetItemDisplayName(doc, item);
  AppendBreak();
  AppendHtml(FormatLink("item%20", item, VerdanaSpan(name)));
  const auto lines = ResolveRecord(name, doc.GetItem(item).pictures);
  if (!lines) {
    AppendHtml("<p> : image file attribute is empty.</p>");
    return;
  }
  for (const auto& line : *lines) AppendHtml("<p>" + TextToHtml(line) + "</p>");
}
