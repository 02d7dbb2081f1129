#include "database/ImageRegion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "database/KeyFolderWriter.h"
#include "database/HtmlEscape.h"
#include "database/RegularFileRead.h"

namespace {

// Decimal as the file has it: blanks, an optional sign, digits up to the
// first other character; no digits read as 0. Values beyond the coordinate
// limit are clamped to it.
std::int32_t ReadNumber(const std::string& field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  std::int32_t value = 0;
  for (; i < field.size() && std::isdigit(static_cast<unsigned char>(field[i])); ++i)
    value = std::min(kRegionCoordinateLimit, value * 10 + (field[i] - '0'));
  return negative ? -value : value;
}

// The file's text line by line; a line ends in LF or CR LF.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : m_text(text) {}
  bool Next(std::string& line) {
    if (m_at >= m_text.size()) return false;
    std::size_t end = m_text.find('\n', m_at);
    if (end == std::string_view::npos) end = m_text.size();
    line.assign(m_text.substr(m_at, end - m_at));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_at = end + 1;
    return true;
  }

 private:
  std::string_view m_text;
  std::size_t m_at = 0;
};

RegionPolygon ParsePolygon(const std::string& line) {
  RegionPolygon points;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t comma = line.find(',', pos);
    if (comma == std::string::npos) break;  // an odd last number is dropped
    const std::size_t next = line.find(',', comma + 1);
    const std::string y = line.substr(comma + 1, next == std::string::npos ? std::string::npos : next - comma - 1);
    points.push_back({ReadNumber(line.substr(pos, comma - pos)), ReadNumber(y)});
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return points;
}

bool ParseRect(const std::string& line, RegionRect& rect) {
  const std::size_t c1 = line.find(',');
  if (c1 == std::string::npos) return false;
  const std::size_t c2 = line.find(',', c1 + 1);
  if (c2 == std::string::npos) return false;
  const std::size_t c3 = line.find(',', c2 + 1);
  if (c3 == std::string::npos) return false;
  rect = {ReadNumber(line.substr(0, c1)), ReadNumber(line.substr(c1 + 1, c2 - c1 - 1)),
          ReadNumber(line.substr(c2 + 1, c3 - c2 - 1)), ReadNumber(line.substr(c3 + 1))};
  return true;
}

// The regions of the file's text; false when they are more than the bound.
bool ParseRegions(std::string_view text, RegionSet& regions) {
  LineReader lines(text);
  std::string id, shape, coordinates;
  while (lines.Next(id)) {
    shape.clear();
    coordinates.clear();
    lines.Next(shape) && lines.Next(coordinates);
    if (shape == "poly") {
      regions.polygons.push_back(ParsePolygon(coordinates));
      regions.polygonIds.push_back(id);
    } else if (RegionRect rect; ParseRect(coordinates, rect)) {
      regions.rectangles.push_back(rect);
      regions.rectangleIds.push_back(id);
    }
    if (regions.polygons.size() + regions.rectangles.size() > kMaxRegionsPerFile) return false;
  }
  return true;
}

void Append(RegionSet& to, RegionSet&& from) {
  const auto move = [](auto& target, auto& source) {
    target.insert(target.end(), std::make_move_iterator(source.begin()), std::make_move_iterator(source.end()));
  };
  move(to.polygons, from.polygons);
  move(to.polygonIds, from.polygonIds);
  move(to.rectangles, from.rectangles);
  move(to.rectangleIds, from.rectangleIds);
}

std::string PolygonCoordinates(const RegionPolygon& polygon) {
  std::string text;
  for (const auto& point : polygon) {
    if (!text.empty()) text += ',';
    text += std::to_string(point.x) + ',' + std::to_string(point.y);
  }
  return text;
}

std::string RectCoordinates(const RegionRect& r) {
  return std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right) + ',' +
         std::to_string(r.bottom);
}

// Ids are single lines; a line break inside one would split its record.
std::string OneLine(const std::string& id) {
  std::string line = id;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string AreaLine(const std::string& shape, const std::string& coordinates, const std::string& id) {
  std::string title = id;
  for (char& c : title)
    if (c == '\'') c = '`';
  // The link id is escaped on its own; the title shows quotes as backquotes and
  // needs only &, < and > escaped (none of the quote remains).
  const std::string safeTitle = EscapeAttributeValue(title, '\'');
  const std::string linkId = EscapeLinkId(id, true);
  return "\t<AREA onclick=\"window.navigate(id)\" SHAPE=\"" + shape + "\" COORDS=\"" + coordinates +
         "\" id=\"qorattr:" + linkId + "\"  TITLE='" + safeTitle + "'>\n";
}

}  // namespace

bool ReadRegions(const std::string& regionsPath, RegionSet& regions, std::string& error) {
  std::string bytes;
  // Opened without blocking, only as a plain file of the picture's folder,
  // its size bounded before anything is read: a FIFO, a device, a link out
  // or a sparse giant under the name is refused at once.
  if (!ReadKeyFile(regionsPath, kMaxRegionFileBytes, bytes, error)) {
    std::error_code missing;
    return !std::filesystem::exists(regionsPath, missing);
  }
  RegionSet read;
  if (!ParseRegions(bytes, read)) {
    error = "it holds more than " + std::to_string(kMaxRegionsPerFile) + " regions";
    return false;
  }
  Append(regions, std::move(read));
  return true;
}

bool ReadRegions(const std::string& regionsPath, RegionSet& regions) {
  std::string error;
  ReadRegions(regionsPath, regions, error);
  return true;
}

std::string FormatRegions(const RegionSet& regions) {
  std::string text;
  for (std::size_t k = 0; k < regions.polygons.size(); ++k) {
    const std::string id = k < regions.polygonIds.size() ? regions.polygonIds[k] : std::string();
    text += OneLine(id) + "\r\npoly\r\n" + PolygonCoordinates(regions.polygons[k]) + "\r\n";
  }
  for (std::size_t k = 0; k < regions.rectangles.size(); ++k) {
    const std::string id = k < regions.rectangleIds.size() ? regions.rectangleIds[k] : std::string();
    text += OneLine(id) + "\r\nrect\r\n" + RectCoordinates(regions.rectangles[k]) + "\r\n";
  }
  return text;
}

bool WriteRegions(const KeyFolderWriter& folder, const std::string& regionsPath, const RegionSet& regions) {
  std::string error;
  return folder.WriteFile(regionsPath, FormatRegions(regions), Replacing::Allowed, error);
}

bool WriteRegions(const std::string& regionsPath, const RegionSet& regions) {
  return WriteRegions(KeyFolderWriter(std::filesystem::path(regionsPath).parent_path()), regionsPath, regions);
}

std::string ImageMapName(const std::string& title) {
  std::string name = title;
  for (char& c : name)
    if (c == '"' || c == '<' || c == '>' || c == '&') c = '_';
  return name;
}

std::string MakeImageMap(const std::string& regionsPath, const std::string& mapName) {
  RegionSet regions;
  ReadRegions(regionsPath, regions);
  std::string html = "<MAP NAME=\"" + ImageMapName(mapName) + "\">\n";
  for (std::size_t k = 0; k < regions.polygons.size(); ++k)
    html += AreaLine("poly", PolygonCoordinates(regions.polygons[k]), regions.polygonIds[k]);
  for (std::size_t k = 0; k < regions.rectangles.size(); ++k)
    html += AreaLine("rect", RectCoordinates(regions.rectangles[k]), regions.rectangleIds[k]);
  return html + "</MAP>\n";
}

namespace {
struct LinkEscape {
  char plain;
  const char* code;
};
// "%" first in meaning: every other code starts with it, so a one-pass
// scan (not a chain of replacements) keeps decoding the inverse of encoding.
// & < > are beyond the classic five; they keep the id safe inside markup.
constexpr LinkEscape kLinkEscapes[] = {{'%', "%25"},  {' ', "%20"}, {'+', "%2B"}, {'"', "%22"},
                                       {'\'', "%27"}, {'&', "%26"}, {'<', "%3C"}, {'>', "%3E"}};

const LinkEscape* EscapeOf(char c) {
  for (const auto& e : kLinkEscapes)
    if (e.plain == c) return &e;
  return nullptr;
}

const LinkEscape* EscapeAt(const std::string& text, std::size_t i) {
  if (text[i] != '%' || i + 3 > text.size()) return nullptr;
  for (const auto& e : kLinkEscapes)
    if (text[i + 1] == e.code[1] && std::toupper(static_cast<unsigned char>(text[i + 2])) == e.code[2]) return &e;
  return nullptr;
}
}  // namespace

std::string EscapeLinkId(const std::string& text, bool encode) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (encode) {
      const LinkEscape* e = EscapeOf(text[i]);
      out += e ? std::string(e->code) : std::string(1, text[i]);
    } else if (const LinkEscape* e = EscapeAt(text, i)) {
      out += e->plain;
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string MakeSiblingPath(const std::string& path, const std::string& names) {
  const std::size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::size_t semicolon = names.find(';');
  const std::string first = (semicolon == std::string::npos || semicolon == 0) ? names : names.substr(0, semicolon);
  return folder + first;
}
