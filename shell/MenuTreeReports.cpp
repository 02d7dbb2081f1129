// The pages that selecting, pressing and double-clicking tree nodes show.
#include <algorithm>
#include <utility>
#include <vector>

#include "database/CommandIds.h"
#include "shell/MenuTree.h"
#include "shell/TreeDocumentCalls.h"
#include "database/UtilityFunction.h"
#include "database/ZAVDoc.h"
#include "reports/Report.h"

namespace {

constexpr int kNoItemArgument = -2000;

constexpr const char* kDatabasePageTemplate =
    "<html><head><title>Database property</title>"
    "<style>body{font-family:Verdana,Arial,sans-serif;font-size:10pt}"
    "td{vertical-align:top;padding:3px 8px}td.label{font-weight:bold;background:#E6E6F0;width:35%}</style>"
    "</head><body><h2>Database properties</h2>"
    "<table border=\"1\" cellspacing=\"0\" width=\"100%\">"
    "<tr><td class=\"label\">Database title</td><td>#DBTitle#</td></tr>"
    "<tr><td class=\"label\">Database version</td><td>#DBVersion#</td></tr>"
    "<tr><td class=\"label\">Database path</td><td>#DBpath#</td></tr>"
    "<tr><td class=\"label\">Menu structure version</td><td>#DBMSVersion#</td></tr>"
    "<tr><td class=\"label\">Item names</td><td>#DBItemNames#</td></tr>"
    "<tr><td class=\"label\">Description</td><td>#DBDescription#</td></tr>"
    "</table></body></html>";

// Fills every placeholder in one pass over the template, so a value that
// itself holds a placeholder text stays as it was written.
std::string FillPlaceholders(const std::string& text, const std::vector<std::pair<std::string, std::string>>& values) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto match = std::find_if(values.begin(), values.end(), [&](const auto& value) {
      return text.compare(at, value.first.size(), value.first) == 0;
    });
    if (match == values.end()) {
      out += text[at++];
      continue;
    }
    out += match->second;
    at += match->first.size();
  }
  return out;
}

std::string ItemNamesText(const CQDochdr& header) {
  std::string text;
  if (header.commonNamesEnabled) text += "common names";
  if (header.commonNamesEnabled && header.scientificNamesEnabled) text += " + ";
  if (header.scientificNamesEnabled) text += "scientific names";
  return text;
}

}  // namespace

void CMenuTree::ShowNodeReport(HTREEITEM node) {
  const int kind = GetNodeKind(node);
  const int index = MenuIndexOf(node);
  if (kind == KIND_MENU_ROOT && m_doc.MenuCount() > 0) {
    const CQMenudata& root = m_doc.GetMenu(0);
    if (root.helpText.empty() && root.pictures.empty()) {
      treedoc::ShowOpeningPage(m_doc);
      return;
    }
  }
  if (kind == KIND_MENU || kind == KIND_ATTRIBUTE_MENU || kind == KIND_MENU_ROOT)
    treedoc::ShowMenuPage(m_doc, index, node);
  else if (kind == KIND_ATTRIBUTE)
    treedoc::ShowAttributePage(m_doc, index, true);
}

std::string CMenuTree::BuildDatabasePage() const {
  const CQDochdr& header = m_doc.m_header;
  // Every value is escaped: a title or version from a hostile file must not
  // write markup or script into the page.
  return FillPlaceholders(kDatabasePageTemplate, {
                                                     {"#DBTitle#", TextToHtmlAttribute(header.title)},
                                                     {"#DBVersion#", TextToHtmlAttribute(header.dbVersion)},
                                                     {"#DBpath#", TextToHtmlAttribute(m_doc.m_pathName)},
                                                     {"#DBDescription#", TextToHtmlAttribute(header.description)},
                                                     {"#DBItemNames#", ItemNamesText(header)},
                                                     {"#DBMSVersion#", TextToHtmlAttribute(header.menuVersion)},
                                                 });
}

void CMenuTree::ShowDatabasePage() { treedoc::ShowHtmlWithoutAction(m_doc, BuildDatabasePage()); }

void CMenuTree::PressOnNode(HTREEITEM node) {
  const int kind = m_doc.m_reportKind;
  if (kind != kReportAnalysis && kind != kReportDistinctive && kind != kReportCommon) {
    m_doc.m_announcedItem = -1;
    m_doc.m_reportKind = kReportItemDescription;
    m_doc.m_reportArgument = kNoItemArgument;
    treedoc::ShowCurrentReport(m_doc);
  }
  ShowNodeReport(node);
}

bool CMenuTree::DoubleClickNode(HTREEITEM node, bool ctrlHeld) {
  if (!m_nodes.IsValid(node)) return true;
  const int index = MenuIndexOf(node);
  switch (GetNodeKind(node)) {
    case KIND_DB_DESCRIPTION:
      ShowDatabasePage();
      return false;
    case KIND_REFERENCES_ROOT:
      treedoc::ShowReferencesReport(m_doc);
      return false;
    case KIND_MENU:
      treedoc::ShowMenuItemReport(m_doc, index);
      return false;
    case KIND_REFERENCE:
      treedoc::ShowReferenceItemReport(m_doc, index);
      return false;
    case KIND_ATTRIBUTE: {
      const bool yes = treedoc::GetMark(m_doc, index) == MARK_YES;
      MarkAttribute(yes ? MARK_CLEAR : MARK_YES, node, ctrlHeld);
      return false;
    }
    case KIND_QOR:
      return false;
    default:
      return true;
  }
}

bool CMenuTree::RunReportCommand(int command, HTREEITEM selected) {
  const int index = MenuIndexOf(selected);
  switch (command) {
    case 32782:
      ShowDatabasePage();
      return true;
    case 32792:
      treedoc::ShowMenuItemReport(m_doc, index);
      return true;
    case 32793:
      treedoc::ShowReferenceItemReport(m_doc, index);
      return true;
    case 32806:
      treedoc::ShowReferencesReport(m_doc);
      return true;
    case 32807:
      treedoc::ShowAttributePage(m_doc, index, false);
      return true;
    case 32800:
      m_doc.m_menuReportSwitch = 1;
      treedoc::ShowMenusReport(m_doc);
      return true;
    case 32894:
      treedoc::ShowRegionsPage(m_doc, index, selected);
      return true;
    case cmd::kFilePrint:
      treedoc::PrintCurrentPage(m_doc);
      return true;
    default:
      return false;
  }
}
