#include "database/HtmlEscape.h"

#include <cctype>

namespace {

bool IsSafeUrlByte(unsigned char c) {
  if (std::isalnum(c)) return true;
  switch (c) {
    case '-':
    case '.':
    case '_':
    case '~':
    case '/':
    case ':':
    case '(':
    case ')':
    case '!':
    case '*':
    case ',':
    case '=':
    case '@':
    case '+':
    case '$':
      return true;
    default:
      return false;
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EscapeAttributeValue(const std::string& text, char quote) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == quote)
      out += quote == '"' ? "&quot;" : "&#39;";
    else
      out += c;
  }
  return out;
}

std::string EscapeMarkup(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

std::string EscapeScriptString(const std::string& text, char quote) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\\' || c == quote) out += '\\';
    out += c;
  }
  return out;
}

std::string PercentEncode(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (IsSafeUrlByte(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string FileUrl(const std::string& path) {
  std::string slashed = path;
  for (char& c : slashed)
    if (c == '\\') c = '/';
  // A drive path ("C:/x") needs the third slash of an empty host.
  if (!slashed.empty() && slashed[0] != '/') slashed.insert(slashed.begin(), '/');
  return "file://" + PercentEncode(slashed);
}

std::string FileUrl(const std::filesystem::path& path) { return FileUrl(path.generic_string()); }

bool HasUrlScheme(const std::string& address) {
  const auto colon = address.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const unsigned char c = address[i];
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}
