#include "reports/Report.h"

#include "database/ProgramFolders.h"
#include "database/ZAVDoc.h"
#include "platform/DocumentViews.h"
#include "platform/ErrorBox.h"
#include "platform/Ui.h"
#include "reports/Action.h"
#include "database/HtmlEscape.h"
#include "reports/HtmlWriter.h"
#include "reports/PageBuffer.h"

namespace {

constexpr const char* kPageScript =
    "<script language=\"javascript\">\n"
    "var wi = new Array(); var he = new Array(); var imgs = new Array(); var imgcount = 0;\n"
    "function SetSize()\n{\n"
    " for (var i = 0; i < imgcount; i++) {\n"
    "  var img = imgs[i]; if (img.className == 'offThumbnail' || img.className == 'hiddenThumbnail') continue;\n"
    "  img.className = 'fullsize'; img.removeAttribute('height'); img.removeAttribute('width');\n"
    "  img.className = (img.width + 70 < document.body.clientWidth) ? 'fullsize' : 'onThumbnail';\n"
    " }\n}\n"
    "function wow(img)\n{\n"
    " imgs[imgcount] = img; wi[imgcount] = img.width; he[imgcount] = img.height;\n"
    " img.ratio = img.height ? img.width / img.height : 1; imgcount++;\n";

constexpr const char* kThumbnailsOn = " img.className = 'offThumbnail';\n";
constexpr const char* kThumbnailsOff =
    " img.className = (document.body.clientWidth < img.width + 70) ? 'onThumbnail' : 'fullsize';\n";

constexpr const char* kScriptTail =
    " img.style.visibility = \"visible\";\n}\n"
    "function toggleThumbnail(img)\n{\n"
    " img.className = (img.className == 'onThumbnail') ? 'offThumbnail' : 'onThumbnail';\n xxx();\n}\n"
    "function xxx() { return; }\n";

constexpr const char* kMoveScript =
    "function Move()\n{\n var tmp = window.MovingPart; if(tmp) { tmp.style.pixelTop = document.body.scrollTop + "
    "document.body.clientHeight - tmp.clientHeight - 1;}\n}\n</script>\n";

// The bar kept at the bottom edge of the window has a fixed height and the
// page keeps as much room below its last line, so scrolled to its end the
// bar covers nothing. Both lengths are in the root font's size, which no
// sheet for the body or the bar changes, so they stay equal; the rules come
// after the sheets so a key's sheet does not undo them.
std::string MovingPartRoom() {
  const std::string height = "1.8rem";
  return "<style>#MovingPart { height: " + height + "; line-height: " + height +
         "; box-sizing: border-box; overflow: hidden; } body { padding-bottom: " + height + "; }</style>";
}

std::string SheetLink(const std::string& href) {
  return "<link rel='stylesheet' type='text/css' media='screen' href='" + EscapeAttributeValue(href, '\'') + "'/>";
}

}  // namespace

CReport::CReport(CZAVDoc& document) : m_pDoc(&document), m_kindBefore(document.m_reportKind) {
  ResetPageBuffer();
  document.m_reportKind = kReportNone;
}

CReport::CReport(CZAVDoc& document, std::string title) : CReport(document) { m_Title = std::move(title); }

CReport::CReport(CZAVDoc& document, ReportKind kind, int argument) : CReport(document) {
  m_Kind = kind;
  document.m_reportArgument = argument;
}

CReport::~CReport() = default;

void CReport::Execute(std::unique_ptr<ReportAction> action, int keepPage) {
  platform::WaitCursor wait;
  m_KeepPage = keepPage;
  m_Cancelled = 0;
  CZAVDoc& doc = *m_pDoc;
  // The kind shown before this report was made: the constructor already
  // cleared the document's, and a dropped page must not leave it at none.
  const int previousKind = doc.m_reportKind != kReportNone ? doc.m_reportKind : m_kindBefore;
  doc.m_reportKind = kReportNone;
  if (keepPage == kFirstPage) {
    doc.m_pageStart = -1;
    doc.m_pageEnd = -1;
  }
  if (action) action->m_kind = m_Kind;
  try {
    Build();
  } catch (...) {
    // Abandoned by the error box: the action dies with this frame.
    doc.m_reportKind = previousKind;
    throw;
  }
  if (m_Cancelled) {
    doc.m_reportKind = previousKind;
    return;
  }
  if (IHtmlView* view = doc.GetHtmlView()) view->ShowPage(ReportPageBuffer(), std::move(action));
  doc.m_reportKind = m_Kind;
}

void CReport::Build() {
  WriteHead(false, true);
  AppendHeading1(m_Title.empty() ? std::string("Done.") : m_Title);
  WriteFooter(false);
}

void CReport::WriteHead(bool movingPart, bool thumbnails) {
  std::string& page = ReportPageBuffer();
  if (page.find("<html>") != std::string::npos) return;
  const std::string databasePath = m_pDoc->m_pathName;
  std::string head = "<html><head>";
  head += SheetLink(BuiltInStyleSheetAddress());
  head += StyleSheetLink(nullptr);
  head += StyleSheetLink(&databasePath);
  if (movingPart) head += MovingPartRoom();
  head += kPageScript;
  head += thumbnails ? kThumbnailsOn : kThumbnailsOff;
  head += kScriptTail;
  if (movingPart)
    head += std::string(kMoveScript) +
            "</head><body onresize='SetSize(); Move();' onload='SetSize(); Move();' onscroll='Move();'>";
  else
    head += "</script></head><body onresize='SetSize();'>";
  AppendHtml(head);
}

void CReport::WriteFooter(bool restoreScroll) {
  AppendHtml("</body>");
  if (restoreScroll) AppendHtml("<SCRIPT>\ndocument.body.scrollTop=document.cookie;\ndocument.cookie=0;\n</SCRIPT>\n");
  AppendHtml("</html>");
}

int& PictureCounter() {
  static int counter = 0;
  return counter;
}
