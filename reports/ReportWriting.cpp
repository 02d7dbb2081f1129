// The report's own writing pieces: headings, spans, parameters, table rows.
#include "database/ZAVDoc.h"
#include "reports/HtmlWriter.h"
#include "reports/PageBuffer.h"
#include "reports/Report.h"

std::string CReport::DivEnd() { return "</div>"; }
std::string CReport::Heading1(const std::string& text) { return "<h1>" + TextToHtml(text) + "</h1>"; }
std::string CReport::CourierSpan(const std::string& text) {
  return "<span class='Courier'>" + TextToHtml(text) + "</span>";
}
std::string CReport::VerdanaSpan(const std::string& text) {
  return "<span class='Verdana'>" + TextToHtml(text) + "</span>";
}

std::string CReport::ParamNumber(const std::string& label, int number) {
  return "<div class='param'>" + VerdanaSpan(label) + " : " + CourierSpan(std::to_string(number)) + "</div>";
}

std::string CReport::ParamText(const std::string& label, const std::string& text, bool asParagraphs) {
  std::string html = "<div class='param'>" + VerdanaSpan(label);
  if (!text.empty()) html += (asParagraphs ? "" : " : ") + TextToHtml(text, asParagraphs);
  return html + "</div>";
}

std::string CReport::AttributeLine(int attribute, int depth, bool checked) const {
  const std::string index = std::to_string(attribute);
  return IndentSpaces(depth + 1) + CheckBox("c" + index, checked, true) +
         FormatLink("att", attribute, TextToHtml(m_pDoc->GetAttribute(attribute).name)) + "<br />";
}

void CReport::BeginTable(int columns) {
  m_Columns = columns;
  ReportPageBuffer() += "\n<table>\n";
}

void CReport::EndTable() { ReportPageBuffer() += "\n</table>\n"; }
void CReport::AppendMovingPart(const std::string& html) {
  ReportPageBuffer() += "<DIV ID='MovingPart'>" + html + "</DIV>";
}
void CReport::AppendHeading1(const std::string& text) { AppendHtml(Heading1(text)); }
void CReport::AppendVerdana(const std::string& text) { AppendHtml(VerdanaSpan(text)); }
void CReport::AppendCourier(const std::string& text) { AppendHtml(CourierSpan(text)); }
void CReport::AppendParamNumber(const std::string& label, int number) {
  ReportPageBuffer() += ParamNumber(label, number);
}
void CReport::AppendParamText(const std::string& label, const std::string& text, bool asParagraphs) {
  ReportPageBuffer() += ParamText(label, text, asParagraphs);
}

void CReport::AppendAttributeLine(int attribute, int depth, bool checked) {
  AppendIndentSpaces(depth + 1);
  AppendCheckBox("c" + std::to_string(attribute), checked, true);
  AppendHtml(FormatLink("att", attribute, TextToHtml(m_pDoc->GetAttribute(attribute).name)));
  AppendBreak();
}

void CReport::AppendInput(const std::string& name, const std::string& value, const std::string& type, bool readonly) {
  ReportPageBuffer() += "\n<input type=\"" + TextToHtml(type) + "\" name=\"" + TextToHtml(name) + "\" value=\"" +
                        TextToHtml(value) + "\"" + (readonly ? " readonly" : "") + ">";
}

void CReport::AppendRow(const std::string& html, const std::optional<std::string>& col2,
                        const std::optional<std::string>& col3, const std::optional<std::string>& col4) {
  if (html.empty()) return;
  const int c = m_Columns;
  int span = 1;
  if (c >= 4 && !col4) span = 2;
  if (c >= 3 && !col3) span = (c >= 4 && !col4) ? 3 : 2;
  if (c >= 2 && !col2) ++span;
  const std::string width = m_FirstColumnWidth ? " width=" + std::to_string(m_FirstColumnWidth) : std::string();
  std::string row = "<tr valign=top>";
  row += span == 1 ? "<td " + width + ">" : "<td colspan=" + std::to_string(span) + " " + width + ">";
  row += html + "</td>";
  for (const auto* column : {&col2, &col3, &col4})
    if (*column) row += "<td>" + **column + "</td>";
  AppendHtml(row + "</tr>\n");
}
