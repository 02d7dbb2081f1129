#include "reports/PageParts.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/Report.h"

std::string ItemLabel(const CZAVDoc& doc) {
  return doc.m_header.scientificNamesEnabled ? doc.GetSpeciesLabel() : doc.GetCommonLabel();
}

void WriteOneLinePage(CReport& report, const char* heading) {
  report.WriteHead(false, true);
  if (heading) report.AppendHeading1(heading);
  report.WriteFooter(false);
}

std::string PictureCell(const CReport& report, const std::string& pictures, int height, const std::string* title,
                        bool sized, int* counter, bool linked) {
  std::string cell;
  report.ImageCell(cell, pictures, height, title, sized, counter, linked);
  return cell;
}

void AppendPictures(const CReport& report, const std::string& pictures, const std::string* title, bool sized,
                    bool linked) {
  if (!pictures.empty()) AppendHtml(PictureCell(report, pictures, 0, title, sized, nullptr, linked));
}
