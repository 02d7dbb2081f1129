#include "reports/ReportUnusual.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/DistinctiveAttributes.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/MenuScoring.h"
#include "reports/ReportOptions.h"

CReportUnusual::CReportUnusual(CZAVDoc& document, int item)
    : CReport(document, kReportDistinctive, item), m_item(item) {}

std::string CReportUnusual::Refusal() const {
  const CZAVDoc& doc = Document();
  const std::string label = ItemLabel(doc);
  if (doc.m_remainingCount < 2)
    return "Since this is the only " + label + " remaining, all of its attributes are unique.";
  if (!doc.IsItemRemaining(m_item))
    return "This " + label + " has been eliminated, so no distinctive attributes are available.";
  if (doc.CountSelectedItems() != 0 && !doc.IsItemSelected(m_item))
    return "This " + label + " has not been selected for comparison in this report.";
  return {};
}

void CReportUnusual::Build() {
  WriteHead(false, true);
  const std::string refusal = Refusal();
  if (!refusal.empty()) {
    AppendHeading1(refusal);
    WriteFooter(false);
    return;
  }
  CZAVDoc& doc = Document();
  AppendHeading1("Distinctive Attributes of " + GetItemDisplayName(doc, m_item));
  const auto listed = FindDistinctiveAttributes(doc, m_item, CollectCandidateItems(doc), doc.m_remainingCount);
  AppendHtml("<br>");
  BeginTable(0);
  for (const auto& entry : listed) AppendRow(RowText(entry.count, entry.attribute));
  EndTable();
  AppendHtml("<br><br>");
  AppendItemPicture();
  WriteFooter(false);
}

std::string CReportUnusual::RowText(DWORD count, int attribute) const {
  const CZAVDoc& doc = Document();
  const CQAttdata& a = doc.GetAttribute(attribute);
  std::string text =
      VerdanaSpan("<") + CourierSpan(std::to_string(count)) + "<span class='Verdana'>&gt;&nbsp;&nbsp;&nbsp;</span>";
  text += FormatLink("menu", a.menuIndex, VerdanaSpan(doc.GetMenu(a.menuIndex).title + ":  "));
  text += FormatLink("att", attribute, VerdanaSpan(a.name));
  return text;
}

void CReportUnusual::AppendItemPicture() {
  const CZAVDoc& doc = Document();
  const std::string name = GetItemDisplayName(doc, m_item);
  const std::string picture = PictureCell(*this, doc.GetItem(m_item).pictures, GalleryOptions::Shared().pictureWidth,
                                          &name, false, nullptr, false);
  AppendHtml(FormatLink("item%20", m_item, picture.empty() ? TextToHtml(name) : picture));
}
