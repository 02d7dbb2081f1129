#include "reports/ReportMenuItem.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/ReportOptions.h"

CReportMenuItem::CReportMenuItem(CZAVDoc& document, int menu) : CReport(document), m_menu(menu) {
  m_Kind = kReportMenuItem;
  document.m_reportArgument = menu;
}

void CReportMenuItem::Build() {
  const CZAVDoc& doc = Document();
  if (m_menu < 0 || m_menu >= doc.MenuCount()) {
    WriteHead(false, true);
    AppendHeading1("Item does not exist.");
    return WriteFooter(false);
  }
  WriteHead(true, false);
  const CQMenudata& menu = doc.GetMenu(m_menu);
  if (menu.kind == MENU_FREE) {
    AppendHeading1("Menu Item Deleted");
    return WriteFooter(false);
  }
  const MenuListOptions& options = MenuListOptions::Shared();
  AppendHeading1(menu.title);
  if (options.picture && !menu.pictures.empty()) {
    std::string cell;
    ImageCell(cell, menu.pictures, 0, nullptr, false, nullptr, false);
    AppendHtml(cell);
  }
  if (options.file) AppendParamText("Image name", menu.pictures, true);
  AppendParamNumber("Difficulty", menu.difficulty);
  if (options.description) AppendParamText("Description", menu.helpText, true);
  WriteFooter(false);
}
