#include "reports/ReportItemItem.h"

#include "database/ExternalLinks.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/AttributeList.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/ReportOptions.h"

CReportItemItem::CReportItemItem(CZAVDoc& document, int item)
    : CReport(document, kReportItemDescription, item), m_item(item) {}

void CReportItemItem::Build() {
  CZAVDoc& doc = Document();
  if (m_item == kNoItemPage) return WriteOneLinePage(*this, nullptr);
  if (m_item < 0 || m_item >= doc.ItemCount()) return WriteOneLinePage(*this, "Item does not exist.");
  const ItemOptions& options = ItemOptions::Shared();
  const CQItemrec& record = doc.GetItem(m_item);
  if (record.nameIndex == -1 && record.genusIndex == -1) return WriteOneLinePage(*this, "Item deleted");

  const std::string name = GetItemDisplayName(doc, m_item);
  const std::string nav = options.previousNext && doc.IsItemRemaining(m_item) ? NavigationBar() : std::string();
  const bool thumbnails = doc.m_itemListOptions[kListThumbnail] != 0;
  WriteHead(true, thumbnails);
  doc.m_pageStart = m_item;
  if (!nav.empty()) AppendMovingPart(nav);
  AppendHeading1(name);
  AppendReasons();
  AppendInput("ItemIndex", std::to_string(m_item), "hidden", false);
  if (options.picture) AppendPictures(*this, record.pictures, &name, thumbnails, true);
  AppendLevelNames();
  if (options.description) AppendParamText("Description", GetDescriptionPart(record.description), true);
  if (options.externalLinks) AppendItemLinks(record.description);
  if (options.file) AppendParamText("Image name", record.pictures, true);
  if (options.reference) AppendReferences();
  AppendAttributeList(*this, m_item, options.data != 0, options.dataAll != 0, options.dataMenus != 0);
  WriteFooter(true);
}

std::string CReportItemItem::NavigationBar() const {
  const CZAVDoc& doc = Document();
  const int previous = GetNextInOrder(doc, m_item, -1);
  const int next = GetNextInOrder(doc, m_item, +1);
  std::string nav = "<div id='moving_nav'>";
  nav += previous < 0 ? "Previous remaining" : FormatLink("move", previous, "Previous remaining");
  nav += "<span class='Verdana'>&nbsp;/&nbsp;</span>";
  nav += next < 0 ? "Next remaining" : FormatLink("move", next, "Next remaining");
  return nav + "</div>";
}

void CReportItemItem::AppendReasons() {
  const std::vector<std::string> reasons = Document().ExplainElimination(m_item);
  if (reasons.empty()) return;
  std::string html = "<div class='forgivenItems'><span class='forgivenHeader'>Incorrect and/or missing data:</span>";
  // Every sentence ends with ";", which the page leaves out.
  for (std::string reason : reasons) {
    while (!reason.empty() && reason.back() == ';') reason.pop_back();
    if (!reason.empty()) html += "<span class='forgivenItem'>" + reason + "</span>";
  }
  AppendHtml(html + "</div>");
}

void CReportItemItem::AppendLevelNames() {
  const CZAVDoc& doc = Document();
  const CQItemrec& record = doc.GetItem(m_item);
  if (const std::string* common = NameAt(doc.m_itemNames, record.nameIndex))
    AppendParamText(doc.GetCommonLabel(), *common, false);
  if (const std::string* genus = TextAt(doc.m_genusNames, record.genusIndex))
    AppendParamText(doc.GetGenusLabel(), *genus, false);
  if (const std::string* species = NameAt(doc.m_speciesNames, record.speciesIndex))
    AppendParamText(doc.GetSpeciesLabel(), *species, false);
  const std::string familyLabel = doc.GetFamilyLabel();
  if (const std::string* family = TextAt(doc.m_familyNames, record.familyIndex); family && !familyLabel.empty())
    AppendParamText(familyLabel, *family, false);
}

void CReportItemItem::AppendReferences() {
  // Reads the item's pages without resizing them: building a page never
  // changes a record. A reference beyond the item's pages has no page text.
  const CZAVDoc& doc = Document();
  const CQItemrec& record = doc.GetItem(m_item);
  const bool every = ItemOptions::Shared().referenceAll != 0;
  AppendHtml("<div class='param'>");
  AppendCourierStart();
  int count = 0;
  for (std::size_t k = 0; k < doc.m_referenceTitles.size(); ++k) {
    static const std::string kNone;
    const std::string& page = k < record.referencePages.size() ? record.referencePages[k] : kNone;
    if (page.empty() && !every) continue;
    if (count == 0) {
      AppendBreak();
      AppendVerdana("References:");
      AppendBreak();
    }
    ++count;
    AppendHtml("<span class='reference'><span class='refnum'>" + std::to_string(count) + ".</span>" +
               TextToHtml(doc.m_referenceTitles[k]) + " " + TextToHtml(page) + "</span>");
  }
  AppendSpanEnd();
  AppendHtml("</div>");
}
