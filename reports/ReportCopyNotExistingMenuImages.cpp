#include "reports/ReportCopyNotExistingMenuImages.h"

#include <vector>

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/MenuText.h"

CReportCopyNotExistingMenuImages::CReportCopyNotExistingMenuImages(CZAVDoc& document, std::string importFolder)
    : CReportPictureImport(document, kReportPictureImport2, std::move(importFolder)) {}

void CReportCopyNotExistingMenuImages::Build() {
  if (!ImportFolderAccepted()) return;
  WriteHead(false, true);
  AppendHeading1("Images import report.");
  CZAVDoc& doc = Document();
  if (doc.MenuCount() > 0) {
    AppendAttributes(0, {}, {});
    std::vector<WORD> menus;
    doc.CollectMenuTree(0, menus);
    for (std::size_t k = 1; k < menus.size(); ++k) {
      CQMenudata& menu = doc.GetMenu(menus[k]);
      // A menu of menus goes by its title, a menu of attributes by its path.
      const std::string label = menu.kind == MENU_OF_ATTRIBUTES ? MenuTitlePath(doc, menus[k]) : menu.title;
      AppendRecord(FormatLink("menu", menus[k], VerdanaSpan(label)), label, menu.pictures);
      AppendAttributes(menus[k], VerdanaSpan(label) + " : ", label);
    }
  }
  if (m_nothingFound) AppendCourier("There is no image file references.");
  WriteFooter(false);
}

void CReportCopyNotExistingMenuImages::AppendAttributes(int menu, const std::string& prefix, const std::string& label) {
  CZAVDoc& doc = Document();
  if (doc.GetMenu(menu).kind != MENU_OF_ATTRIBUTES) return;
  for (WORD a : doc.GetMenu(menu).children) {
    if (a >= doc.AttributeCount()) continue;
    CQAttdata& attribute = doc.GetAttribute(a);
    AppendRecord(prefix + FormatLink("att", a, VerdanaSpan(attribute.name)), label, attribute.pictures);
  }
}

void CReportCopyNotExistingMenuImages::AppendRecord(const std::string& lead, const std::string& label,
                                                    std::string& pictures) {
  if (pictures.empty()) return;
  AppendHtml("<br>&bull;" + lead);
  const auto lines = ResolveRecord(label, pictures);
  if (!lines) return;
  for (const auto& line : *lines) AppendCourier(line);
  m_nothingFound = false;
}
