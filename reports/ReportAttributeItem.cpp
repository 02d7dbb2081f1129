#include "reports/ReportAttributeItem.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/ReportOptions.h"

CReportAttributeItem::CReportAttributeItem(CZAVDoc& document, int attribute)
    : CReport(document), m_attribute(attribute) {
  m_Kind = kReportAttribute;
  document.m_reportArgument = attribute;
}

void CReportAttributeItem::Build() {
  const CZAVDoc& doc = Document();
  if (m_attribute < 0 || m_attribute >= doc.AttributeCount()) {
    WriteHead(false, true);
    AppendHeading1("Item does not exist");
    return WriteFooter(false);
  }
  WriteHead(true, false);
  const CQAttdata& attribute = doc.GetAttribute(m_attribute);
  if (attribute.menuIndex == kNoIndex16) {
    AppendHeading1("Attribute Deleted");
    return WriteFooter(false);
  }
  const MenuListOptions& options = MenuListOptions::Shared();
  AppendHeading1(attribute.name);
  if (options.picture && !attribute.pictures.empty()) {
    std::string cell;
    ImageCell(cell, attribute.pictures, 0, &attribute.name, false, nullptr, false);
    AppendHtml(cell);
  }
  if (options.description) AppendParamText("Description", attribute.helpText, true);
  if (options.file) AppendParamText("Image name", attribute.pictures, true);
  WriteFooter(false);
}
