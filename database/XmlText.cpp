#include "database/XmlText.h"

#include <cstdint>

#include <unicode/utf8.h>

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string FormatXml(const char* format, std::initializer_list<XmlArg> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%' && (p[1] == 'd' || p[1] == 's') && next != args.end()) {
      out += next->text();
      ++next;
      ++p;
      continue;
    }
    out += *p;
  }
  return out;
}

std::string Utf8ToLatin1WithReferences(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    // Runs of plain ASCII, nearly all of a dump, are copied at once.
    std::size_t run = at;
    while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
    out.append(utf8, at, run - at);
    at = run;
    if (at == utf8.size()) break;
    // The ICU decoder refuses overlong forms, surrogates and values past
    // U+10FFFF; each byte of a refused sequence becomes one "?".
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    auto next = static_cast<std::int32_t>(at);
    UChar32 code = 0;
    U8_NEXT(bytes, next, static_cast<std::int32_t>(utf8.size()), code);
    if (code < 0) {
      out += '?';
      ++at;
      continue;
    }
    at = static_cast<std::size_t>(next);
    if (code <= 0xFF)
      out += static_cast<char>(code);
    else
      out += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
  }
  return out;
}
