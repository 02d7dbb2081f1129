#include "reports/ReportAttributeItem.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/ReportOptions.h"

CReportAttributeItem::CReportAttributeItem(CZAVDoc& document, int attribute)
    : CReport(document, kReportAttribute, attribute), m_attribute(attribute) {}

void CReportAttributeItem::Build() {
  const CZAVDoc& doc = Document();
  if (m_attribute < 0 || m_attribute >= doc.AttributeCount()) return WriteOneLinePage(*this, "Item does not exist");
  WriteHead(true, false);
  const CQAttdata& attribute = doc.GetAttribute(m_attribute);
  if (attribute.menuIndex == kNoIndex16) return WriteOneLinePage(*this, "Attribute Deleted");
  const MenuListOptions& options = MenuListOptions::Shared();
  AppendHeading1(attribute.name);
  if (options.picture) AppendPictures(*this, attribute.pictures, &attribute.name, false, false);
  if (options.description) AppendParamText("Description", attribute.helpText, true);
  if (options.file) AppendParamText("Image name", attribute.pictures, true);
  WriteFooter(false);
}
