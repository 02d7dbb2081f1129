// Text pieces of the XML dump: escaping, the format texts with their %d and
// %s fields, and the single-byte output encoding.
#pragma once

#include <concepts>
#include <initializer_list>
#include <string>

// "&", the double quote, "'", "<" and ">" as entities, in that order.
std::string XmlEscape(const std::string& text);

// One value for a format field: numbers in decimal, texts escaped.
class XmlArg {
 public:
  template <std::integral T>
  explicit XmlArg(T number) : m_text(std::to_string(number)) {}
  explicit XmlArg(const std::string& text) : m_text(XmlEscape(text)) {}
  // A text written as it is (flags, already escaped texts).
  static XmlArg Raw(std::string text) {
    XmlArg arg;
    arg.m_text = std::move(text);
    return arg;
  }
  const std::string& text() const { return m_text; }

 private:
  XmlArg() = default;
  std::string m_text;
};

// Fills the "%d" and "%s" fields of format with the arguments in order.
std::string FormatXml(const char* format, std::initializer_list<XmlArg> args);

// UTF-8 to ISO-8859-1: characters up to U+00FF as single bytes, every
// other one as a decimal character reference; a malformed byte becomes "?".
std::string Utf8ToLatin1WithReferences(const std::string& utf8);
