// A small reader of a page's start and end tags, for the report page tests:
// every element a page opens must be closed, innermost first. Void elements
// (br, img, input, ...) and tags written as "<x/>" need no end tag; comments
// and the text of script and style elements are skipped; names are compared
// without regard to letter case.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace reportpages_test {

inline std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

inline bool IsVoidElement(const std::string& name) {
  static const char* const kVoid[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                      "input", "link", "meta", "param", "source", "track", "wbr"};
  return std::find(std::begin(kVoid), std::end(kVoid), name) != std::end(kVoid);
}

// Empty when the page is balanced; else the first fault and its offset.
inline std::string TagBalanceProblem(const std::string& html) {
  const std::string lower = LowerCase(html);
  std::vector<std::pair<std::string, std::size_t>> open;
  std::size_t at = 0;
  while ((at = lower.find('<', at)) != std::string::npos) {
    if (lower.compare(at, 4, "<!--") == 0) {
      const std::size_t end = lower.find("-->", at + 4);
      if (end == std::string::npos) return "a comment at " + std::to_string(at) + " never ends";
      at = end + 3;
      continue;
    }
    const bool closing = lower.compare(at, 2, "</") == 0;
    std::size_t nameStart = at + (closing ? 2 : 1);
    std::size_t nameEnd = nameStart;
    while (nameEnd < lower.size() && (std::isalnum(static_cast<unsigned char>(lower[nameEnd])) != 0)) ++nameEnd;
    if (nameEnd == nameStart || !std::isalpha(static_cast<unsigned char>(lower[nameStart]))) {
      ++at;  // a "<" of text, or a declaration
      continue;
    }
    const std::string name = lower.substr(nameStart, nameEnd - nameStart);
    // The tag ends at the first ">" outside a quoted attribute value.
    std::size_t end = nameEnd;
    char quote = 0;
    for (; end < lower.size(); ++end) {
      const char c = lower[end];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        break;
      }
    }
    if (end >= lower.size()) return "the tag <" + name + "> at " + std::to_string(at) + " never ends";
    if (closing) {
      if (open.empty()) return "</" + name + "> at " + std::to_string(at) + " closes nothing";
      if (open.back().first != name)
        return "</" + name + "> at " + std::to_string(at) + " closes <" + open.back().first + "> opened at " +
               std::to_string(open.back().second);
      open.pop_back();
    } else if (name == "script" || name == "style") {
      const std::size_t close = lower.find("</" + name, end);
      if (close == std::string::npos) return "<" + name + "> at " + std::to_string(at) + " never closed";
      end = lower.find('>', close);
      if (end == std::string::npos) return "</" + name + "> never ends";
    } else if (!IsVoidElement(name) && lower[end - 1] != '/') {
      open.emplace_back(name, at);
    }
    at = end + 1;
  }
  if (!open.empty())
    return "<" + open.back().first + "> opened at " + std::to_string(open.back().second) + " never closed";
  return {};
}

}  // namespace reportpages_test
