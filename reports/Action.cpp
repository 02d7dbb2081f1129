// The base link forms every page has: picture windows, help pages and
// external links ("qorlink:" addresses).
#include "reports/Action.h"

#include "database/ExternalLinks.h"
#include "database/HelpPages.h"
#include "database/ZAVDoc.h"
#include "platform/Ui.h"
#include "database/HtmlEscape.h"
#include "reports/PictureViewer.h"

namespace {

std::string BlanksFor20(const std::string& text) { return ReplaceAll(text, "%20", " "); }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool ReportAction::OnNavigate(CZAVDoc& document, IHtmlView& view, const std::string& rawAddress, bool shift,
                              const std::string& postData) {
  m_document = &document;
  m_view = &view;
  m_postData = postData;
  m_address = rawAddress;
  m_shift = shift;
  m_link = ParseLink(rawAddress);
  platform::Ui().Trace("link: " + rawAddress);
  return Execute();
}

bool ReportAction::Execute() { return TryBaseLinks(); }

ILeftView* ReportAction::Tree() const { return m_document->GetLeftView(); }
IItemListView* ReportAction::List() const { return m_document->GetItemListView(); }

bool ReportAction::TryBaseLinks() {
  if (m_link.form != LinkForm::QorLink) return false;
  const std::string& rest = m_link.rest;
  if (StartsWith(rest, "image//")) {
    ShowHelp(BlanksFor20(rest.substr(7)), false);
  } else if (StartsWith(rest, ":images//")) {
    if (auto request = ParseViewerAddress(rest.substr(9)))
      ShowHelp(MakeViewerPage(*request, m_document->m_pathName), false);
  } else if (StartsWith(rest, "help//")) {
    ShowHelp(BlanksFor20(rest.substr(6)), false);
  } else if (!StartsWith(rest, ":")) {
    // "qorlink::closedoc" and other window forms mean nothing in a report page.
    RunExternalLink("qorlink:" + rest, *m_document);
  }
  return true;
}
