#include "reports/ReportMenu.h"

#include <vector>

#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "reports/HtmlWriter.h"
#include "reports/PageParts.h"
#include "reports/ListPaging.h"
#include "reports/MenuText.h"
#include "reports/PageBuffer.h"
#include "reports/ReportOptions.h"

CReportMenu::CReportMenu(CZAVDoc& document) : CReport(document, kReportMenus, -1) {}

void CReportMenu::Build() {
  const MenuListOptions& options = MenuListOptions::Shared();
  m_description = options.description != 0;
  m_file = options.file != 0;
  m_picture = options.picture != 0;
  platform::WaitCursor wait;
  WriteHead(false, false);
  AppendHeading1("Interactive Identification Menus");
  CZAVDoc& doc = Document();
  if (doc.MenuCount() == 0) {
    WriteFooter(false);
    return;
  }
  const std::vector<WORD> menus = MenusBelowRoot(doc, false);
  if (doc.GetMenu(0).kind == MENU_OF_ATTRIBUTES) AppendRootAttributes();

  ListPaging paging(doc, m_KeepPage, static_cast<int>(menus.size()));
  for (WORD menu : menus) {
    if (!paging.Admit()) continue;
    if (m_pictureCount >= kPicturesPerPage || ReportPageBuffer().size() > kPageLength) {
      AppendMoreLink();
      break;
    }
    AppendMenu(menu);
  }
  paging.SetEnd(paging.position());
  WriteFooter(false);
}

std::string CReportMenu::AttributeEntry(int attribute) const {
  const CZAVDoc& doc = Document();
  return "&bull;" + FormatLink("att", attribute, VerdanaSpan(doc.GetAttribute(attribute).name)) +
         "<span class='Verdana'>" + MarkSuffix(doc.GetAttributeMark(attribute)) + "</span>";
}

std::string CReportMenu::SecondText(const std::string& help, const std::string& pictures) const {
  std::string text;
  if (m_description) text += CourierSpan(help);
  if (m_file) {
    if (!pictures.empty()) text += "<br>";
    text += VerdanaSpan(pictures);
  }
  return text;
}

std::string CReportMenu::Pictures(const std::string& pictures, bool linked) {
  return PictureCell(*this, pictures, 0, nullptr, false, &m_pictureCount, linked);
}

void CReportMenu::AppendRootAttributes() {
  const CZAVDoc& doc = Document();
  AppendVerdana("Main menu attributes");
  AppendBreak();
  for (WORD a : doc.GetMenu(0).children) {
    if (a >= doc.AttributeCount()) continue;
    const CQAttdata& attribute = doc.GetAttribute(a);
    BeginTable(2);
    if (m_description || m_file) m_FirstColumnWidth = 200;
    AppendRow(IndentDiv(1) + AttributeEntry(a) + "</div>");
    AppendRow(SecondText(attribute.helpText, attribute.pictures));
    if (m_picture && !attribute.pictures.empty()) AppendRow(Pictures(attribute.pictures, true));
    EndTable();
  }
}

void CReportMenu::AppendMenu(int menu) {
  const CZAVDoc& doc = Document();
  const CQMenudata& data = doc.GetMenu(menu);
  const int depth = doc.GetMenuDepth(menu);
  AppendHtml("<span class='menu'>");
  AppendHtml(IndentDiv(depth) + FormatLink("menu", menu, VerdanaSpan(data.title)) + "</div>");
  if (m_description || m_file) m_FirstColumnWidth = 200;
  AppendHtml(IndentDiv(depth + 1) + SecondText(data.helpText, data.pictures) + "</div>");
  if (m_picture && !data.pictures.empty()) AppendHtml(Pictures(data.pictures, false));
  if (data.kind == MENU_OF_ATTRIBUTES) {
    for (WORD a : data.children) {
      if (a >= doc.AttributeCount()) continue;
      const CQAttdata& attribute = doc.GetAttribute(a);
      AppendHtml(IndentDiv(depth + 1) + AttributeEntry(a) + "</div>");
      AppendHtml(IndentDiv(depth + 2) + SecondText(attribute.helpText, attribute.pictures) + "</div>");
      if (m_picture && !attribute.pictures.empty()) {
        // The row gets a table of its own, so the page stays well formed.
        BeginTable(1);
        AppendRow(Pictures(attribute.pictures, false));
        EndTable();
      }
    }
  }
  AppendHtml("</span>");
}
