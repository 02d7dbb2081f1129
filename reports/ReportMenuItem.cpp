#include "reports/ReportMenuItem.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/ReportOptions.h"

CReportMenuItem::CReportMenuItem(CZAVDoc& document, int menu)
    : CReport(document, kReportMenuItem, menu), m_menu(menu) {}

void CReportMenuItem::Build() {
  const CZAVDoc& doc = Document();
  if (m_menu < 0 || m_menu >= doc.MenuCount()) return WriteOneLinePage(*this, "Item does not exist.");
  WriteHead(true, false);
  const CQMenudata& menu = doc.GetMenu(m_menu);
  if (menu.kind == MENU_FREE) return WriteOneLinePage(*this, "Menu Item Deleted");
  const MenuListOptions& options = MenuListOptions::Shared();
  AppendHeading1(menu.title);
  if (options.picture) AppendPictures(*this, menu.pictures, nullptr, false, false);
  if (options.file) AppendParamText("Image name", menu.pictures, true);
  AppendParamNumber("Difficulty", menu.difficulty);
  if (options.description) AppendParamText("Description", menu.helpText, true);
  WriteFooter(false);
}
