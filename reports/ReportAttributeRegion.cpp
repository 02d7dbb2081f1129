#include "reports/ReportAttributeRegion.h"

#include "database/ImageRegion.h"
#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"

CReportAttributeRegion::CReportAttributeRegion(CZAVDoc& document, int menu)
    : CReport(document, kReportRegions, menu), m_menu(menu) {}

void CReportAttributeRegion::Build() {
  const CZAVDoc& doc = Document();
  if (m_menu < 0 || m_menu >= doc.MenuCount() || doc.GetMenu(m_menu).kind == MENU_FREE)
    return WriteOneLinePage(*this, "Undefined Menu");
  WriteHead(false, true);
  const CQMenudata& menu = doc.GetMenu(m_menu);
  AppendHeading1(menu.title);
  if (!menu.pictures.empty()) {
    const std::string path = MakeSiblingPath(doc.m_pathName, menu.pictures);
    const std::string picture = ImageWithMap(path, menu.title);
    if (!picture.empty()) AppendHtml(picture);
  }
  AppendParamNumber("Difficulty", menu.difficulty);
  AppendParamText("Description", menu.helpText, true);
  WriteFooter(false);
}
