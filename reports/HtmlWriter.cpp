#include "reports/HtmlWriter.h"

#include <algorithm>
#include <filesystem>

#include "database/ExternalLinks.h"
#include "database/ImageRegion.h"
#include "database/ProgramFolders.h"
#include "database/ZAVDoc.h"
#include "database/HtmlEscape.h"
#include "reports/PageBuffer.h"

namespace {

// The database path's own style sheet: the path cut at its last "." with
// ".css" in its place (a path without a dot gives the bare ".css").
std::string DatabaseStyleSheet(const std::string& databasePath) {
  const std::size_t dot = databasePath.rfind('.');
  if (dot == std::string::npos || dot == 0) return ".css";
  return FileUrl(databasePath.substr(0, dot) + ".css");
}

}  // namespace

bool LocalFileExists(const std::string& path) {
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  std::error_code error;
  return std::filesystem::is_regular_file(slashed, error);
}

// An "&" stays: keys write letters as entities ("caf&eacute;"). "<" and ">"
// are escaped, so no text of a key becomes markup.
std::string TextToHtml(const std::string& text, bool alwaysParagraphs) {
  std::string html;
  html.reserve(text.size());
  bool lineFeed = false;
  for (char c : text) {
    switch (c) {
      case '>':
        html += "&gt;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '"':
      case '\'':
        html += '`';
        break;
      case '\r':
        break;
      case '\n':
        html += "</p><p>";
        lineFeed = true;
        break;
      default:
        html += c;
    }
  }
  if (!alwaysParagraphs && !lineFeed) return html;
  return "<p>" + html + "</p>";
}

std::string FormatLink(const std::string& word, int number, const std::string& html) {
  return "<A href=\"http:\\\\" + word + std::to_string(number) + "end\">" + html + "</A>";
}

std::string IndentDiv(int level) { return "<div style=\"padding-left:" + std::to_string(level * 5) + "mm\">"; }

std::string IndentSpaces(int count) {
  std::string spaces;
  for (int i = 0; i < count; ++i) spaces += "&nbsp;&nbsp;&nbsp;";
  return spaces;
}

std::string CheckBox(const std::string& name, bool checked, bool bulletOnly) {
  if (bulletOnly) return checked ? "&bull;&nbsp;&nbsp;" : "&nbsp;&nbsp;&nbsp;&nbsp;";
  return "\n<input type=checkbox name=\"" + TextToHtml(name) + "\"" + (checked ? " checked" : "") + ">";
}

std::string StyleSheetLink(const std::string* databasePath) {
  const std::string href = databasePath ? DatabaseStyleSheet(*databasePath) : FileUrl(ProgramFolder() / "qor.css");
  return "<link rel='stylesheet' type='text/css' media='screen' href='" + EscapeAttributeValue(href, '\'') + "'/>";
}

std::string ImageWithMap(const std::string& picturePath, const std::string& mapName) {
  const std::string regions = picturePath + ".regions";
  if (!LocalFileExists(regions)) return {};
  return "<br><IMG class='NoThumbnail' SRC=\"" + FileUrl(picturePath) + "\" USEMAP=\"#" + ImageMapName(mapName) +
         "\">\n" + MakeImageMap(ReplaceAll(regions, "\\", "/"), mapName);
}

bool MenuImageHasRegions(const CZAVDoc& document, int menu) {
  const CQMenudata& record = document.GetMenu(menu);
  if (record.pictures.empty()) return false;
  return LocalFileExists(MakeSiblingPath(document.m_pathName, record.pictures) + ".regions");
}

void AppendNewLine() { ReportPageBuffer() += "\n"; }
void AppendSpanEnd() { ReportPageBuffer() += "</span>"; }
void AppendBreak() { AppendHtml("<br>"); }
void AppendIndentSpaces(int count) { AppendHtml(IndentSpaces(count)); }

void AppendHtml(const std::string& html) {
  EnsurePageRoom(html.size());
  ReportPageBuffer() += html;
}

void AppendCourierStart() { AppendHtml("<span class='Courier'>"); }
void AppendVerdanaStart() { AppendHtml("<span class='Verdana'>"); }
void AppendCheckBox(const std::string& name, bool checked, bool bulletOnly) {
  ReportPageBuffer() += CheckBox(name, checked, bulletOnly);
}
void AppendItemLinks(const std::string& itemText) {
  // Even an empty append may grow the page buffer, so nothing is appended then.
  const std::string links = GetLinksPart(itemText);
  if (!links.empty()) AppendHtml(LinksToHtml(links));
}
