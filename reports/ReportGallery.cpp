#include "reports/ReportGallery.h"

#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "reports/HtmlWriter.h"
#include "reports/ListPaging.h"
#include "reports/MenuScoring.h"
#include "reports/ReportOptions.h"

CReportGallery::CReportGallery(CZAVDoc& document) : CReport(document, kReportGallery, -1) {}

bool CReportGallery::Qualifies(int item, bool anySelected) const {
  if (item == -1 || item == kNoIndex16) return false;
  return IsCandidateItem(Document(), item, anySelected);
}

int CReportGallery::StartResume() {
  CZAVDoc& doc = Document();
  if (m_KeepPage == kNextPage) doc.m_galleryResume = doc.m_gallerySavedResume;
  if (m_KeepPage == kFirstPage) doc.m_galleryResume = 0;
  if (m_KeepPage != kSamePage) doc.m_gallerySavedResume = 0;
  return doc.m_galleryResume;
}

int CReportGallery::AppendPictures(int item, const std::string& name, int resume, int budget, int& total) {
  const GalleryOptions& options = GalleryOptions::Shared();
  std::string pictures = Document().GetItem(item).pictures;
  pictures.erase(0, pictures.find_first_not_of(" \t\r\n"));
  total = 0;
  if (pictures.empty()) return resume;
  int counter = resume;
  total = budget;
  std::string cell;
  ImageCell(cell, pictures, options.pictureWidth, &name, true, &counter, options.showNames != 0, resume, &total,
            options.picturesPerSpeciesMax);
  AppendHtml(cell);
  return counter;
}

void CReportGallery::Build() {
  CZAVDoc& doc = Document();
  const GalleryOptions& options = GalleryOptions::Shared();
  WriteHead(false, false);
  const bool anySelected = doc.CountSelectedItems() != 0;
  AppendHeading1(doc.m_header.scientificNamesEnabled ? "Selected Species Gallery" : "Selected Items Gallery");
  int resume = StartResume();
  const bool names = options.showNames != 0;
  if (!names) AppendHtml("<div id='gallery'>");

  const auto& entries = GetOrderArray(doc);
  int qualifying = 0;
  for (const auto& entry : entries)
    if (Qualifies(entry->itemIndex, anySelected)) ++qualifying;
  const int previousEnd = doc.m_pageEnd;
  ListPaging paging(doc, m_KeepPage, qualifying);
  int budget = options.picturesMax;
  int shown = 0;
  int end = 0;
  for (const auto& entry : entries) {
    const int item = entry->itemIndex;
    if (!Qualifies(item, anySelected)) continue;
    const bool admitted = paging.Admit();
    end = paging.position();
    if (!admitted) continue;
    if (end == previousEnd && doc.GetItemListView()) doc.GetItemListView()->SelectItem(item);
    const std::string name = GetItemDisplayName(doc, item);
    if (names)
      AppendHtml("<div class='species'><div class='param'><span class='verdana'>" +
                 FormatLink("item%20", item, TextToHtml(name)) + "</span></div>");
    int total = 0;
    const int next = AppendPictures(item, name, resume, budget, total);
    shown += next - resume;
    budget -= next - resume;
    resume = 0;
    if (shown >= options.picturesMax) {
      // A resume point at the per-item limit would show nothing more of
      // this item: the item is finished.
      const int stop = options.picturesPerSpeciesMax;
      const bool finished = next >= total || (stop > 0 && next >= stop);
      doc.m_gallerySavedResume = finished ? 0 : next;
      if (finished) ++end;
      AppendMoreLink();
      if (names) AppendHtml("</div>");
      break;
    }
    if (names) AppendHtml("</div>");
  }
  if (!names) AppendHtml("</div>");
  paging.SetEnd(end);
  WriteFooter(true);
}
