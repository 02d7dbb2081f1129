#include "reports/ListPaging.h"

#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/Report.h"

ListPaging::ListPaging(CZAVDoc& doc, int keepPage, int qualifying) : m_doc(doc) {
  if (keepPage == kSamePage) m_skipBelow = doc.m_pageStart;
  if (keepPage == kNextPage) m_skipBelow = doc.m_pageEnd;
  if (keepPage == kSamePage && m_skipBelow > qualifying) m_skipBelow = -1;
}

bool ListPaging::Admit() {
  ++m_position;
  if (m_position < m_skipBelow) return false;
  if (!m_started) {
    m_started = true;
    m_doc.m_pageStart = m_position;
  }
  return true;
}

void ListPaging::SetEnd(int position) { m_doc.m_pageEnd = position; }

void AppendMoreLink() {
  AppendBreak();
  AppendHtml(FormatLink("next", 0, CReport::VerdanaSpan("More ...")));
}
