#include "reports/LinkParser.h"

#include <cctype>
#include <limits>

namespace {

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* prefix) {
  for (std::size_t i = 0; prefix[i]; ++i) {
    if (at + i >= text.size()) return false;
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
  }
  return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Reads an optional signed number; false when digits are there but overflow.
void ReadNumber(const std::string& text, std::size_t& pos, ParsedLink& link) {
  std::size_t i = pos;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return;
  long long value = 0;
  bool fits = true;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value > (std::numeric_limits<int>::max() / 10) + 1) fits = false;
    if (fits) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  fits = fits && value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
  link.hasNumber = true;
  link.numberFits = fits;
  link.number = fits ? static_cast<int>(value) : 0;
  pos = i;
}

bool ParsePseudo(const std::string& text, ParsedLink& link) {
  if (!StartsWithNoCase(text, 0, "http:")) return false;
  std::size_t pos = 5;
  for (int i = 0; i < 2; ++i, ++pos)
    if (pos >= text.size() || !IsSeparator(text[pos])) return false;
  const std::size_t wordStart = pos;
  while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) ++pos;
  if (pos == wordStart) return false;
  std::string word;
  for (std::size_t i = wordStart; i < pos; ++i)
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  // "item%20" and "limage%20": the blank before the number, escaped or not.
  if (StartsWithNoCase(text, pos, "%20")) {
    word += "%20";
    pos += 3;
  } else if (pos < text.size() && text[pos] == ' ') {
    word += "%20";
    ++pos;
  }
  ParsedLink parsed;
  parsed.word = word;
  ReadNumber(text, pos, parsed);
  // The word itself may end in "end" when no number stands between ("nextend").
  if (StartsWithNoCase(text, pos, "end")) {
    parsed.hasEnd = true;
    pos += 3;
  } else if (!parsed.hasNumber && word.size() > 3 && word.compare(word.size() - 3, 3, "end") == 0) {
    parsed.word = word.substr(0, word.size() - 3);
    parsed.hasEnd = true;
  }
  if (pos < text.size() && IsSeparator(text[pos])) ++pos;  // the browser's trailing "/"
  // Anything after that is a real web address ("http://menu.example.org/").
  if (pos != text.size()) return false;
  parsed.form = LinkForm::Pseudo;
  link = parsed;
  return true;
}

}  // namespace

ParsedLink ParseLink(const std::string& rawAddress) {
  ParsedLink link;
  if (StartsWithNoCase(rawAddress, 0, "qorlink:")) {
    link.form = LinkForm::QorLink;
    link.rest = rawAddress.substr(8);
    return link;
  }
  if (StartsWithNoCase(rawAddress, 0, "qorattr:")) {
    link.form = LinkForm::QorAttr;
    link.rest = rawAddress.substr(8);
    return link;
  }
  ParsePseudo(rawAddress, link);
  return link;
}

std::optional<int> LinkIndex(const ParsedLink& link, int limit) {
  if (link.form != LinkForm::Pseudo || !link.hasEnd || !link.hasNumber || !link.numberFits) return std::nullopt;
  if (link.number < 0 || link.number >= limit) return std::nullopt;
  return link.number;
}
