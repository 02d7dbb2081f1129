#include "database/XmlText.h"

#include <cstdint>

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
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

namespace {

// Decodes one UTF-8 sequence at text[at]; returns its length, 0 when malformed.
std::size_t DecodeUtf8(const std::string& text, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

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
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, at, code);
    if (length == 0) {
      out += '?';
      ++at;
      continue;
    }
    at += length;
    if (code <= 0xFF)
      out += static_cast<char>(code);
    else
      out += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
  }
  return out;
}
