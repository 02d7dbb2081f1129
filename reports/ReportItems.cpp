#include "reports/ReportItems.h"

#include "database/ExternalLinks.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "reports/AttributeList.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/ListPaging.h"
#include "reports/MenuScoring.h"
#include "reports/PageBuffer.h"
#include "reports/ReportOptions.h"

namespace {

int ListOption(const CZAVDoc& doc, ItemListCopyIndex index) { return doc.m_itemListOptions[index]; }

}  // namespace

CReportItems::CReportItems(CZAVDoc& document) : CReport(document, kReportItemList, -1) {}

bool CReportItems::PageFull(int written) const {
  const bool pictures = ListOption(Document(), kListPicture) != 0;
  const std::size_t length = ReportPageBuffer().size();
  if (m_thumbnails) return (pictures && written >= kThumbnailItemsPerPage) || length > kThumbnailPageLength;
  return (pictures && written >= kItemsPerPage) || length > kPageLength;
}

void CReportItems::Build() {
  CZAVDoc& doc = Document();
  m_thumbnails = ListOption(doc, kListThumbnail) != 0;
  WriteHead(false, m_thumbnails);
  const bool anySelected = doc.CountSelectedItems() != 0;
  AppendHeading1(ItemLabel(doc) + " list");
  platform::WaitCursor wait;

  const auto& names = GetOrderArray(doc);
  int qualifying = 0;
  for (const auto& entry : names)
    if (IsCandidateItem(doc, entry->itemIndex, anySelected)) ++qualifying;
  ListPaging paging(doc, m_KeepPage, qualifying);
  int written = 0;
  for (const auto& entry : names) {
    const int item = entry->itemIndex;
    if (!IsCandidateItem(doc, item, anySelected) || !paging.Admit()) continue;
    if (PageFull(written)) {
      AppendMoreLink();
      break;
    }
    AppendItem(paging.position(), item);
    ++written;
  }
  paging.SetEnd(paging.position());
  WriteFooter(false);
}

void CReportItems::AppendItem(int position, int item) {
  CZAVDoc& doc = Document();
  const CQItemrec& record = doc.GetItem(item);
  const std::string name = GetItemDisplayName(doc, item);
  AppendHtml("<div class='species'><div class='param'><span class='verdana'>" + std::to_string(position) + ". " +
             FormatLink("item%20", item, TextToHtml(name)) + "</span></div>");
  const bool picture = ListOption(doc, kListPicture) && !record.pictures.empty();
  if (picture) AppendBreak();
  if (ListOption(doc, kListDescription)) AppendParamText("Description", GetDescriptionPart(record.description), true);
  if (ListOption(doc, kListExternalLinks)) AppendItemLinks(record.description);
  if (ListOption(doc, kListFile)) AppendParamText("Image name", record.pictures, true);
  if (ListOption(doc, kListReference)) AppendReferences(record);
  if (picture) AppendPictures(*this, record.pictures, &name, m_thumbnails, true);
  AppendAttributeList(*this, item, ListOption(doc, kListData) != 0, ListOption(doc, kListAll) != 0,
                      ItemListOptions::Shared().allMenus != 0);
  AppendHtml("</div>");
}

void CReportItems::AppendReferences(const CQItemrec& record) {
  const auto& titles = Document().m_referenceTitles;
  int count = 0;
  for (std::size_t k = 0; k < record.referencePages.size() && k < titles.size(); ++k) {
    const std::string& page = record.referencePages[k];
    if (page.empty()) continue;
    if (count == 0) AppendHtml("<br>" + VerdanaSpan("References:") + "<br>");
    ++count;
    AppendHtml(CourierSpan(std::to_string(count) + ".") + CourierSpan(titles[k]) + CourierSpan(" ") +
               CourierSpan(page) + "<br>");
  }
  if (count > 0) AppendHtml("<br>");
}
