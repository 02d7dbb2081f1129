#include "exporters/xml/XmlElementWriter.h"

#include <charconv>

#include "exporters/xml/XmlCharacterData.h"

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

}  // namespace

// The first failure stands: a file that missed a call is never committed.
bool XmlElementWriter::Fail(std::string text) {
  if (m_error.empty()) m_error = std::move(text);
  return false;
}

bool XmlElementWriter::Open(const std::string& path) {
  if (path.empty()) return Fail("No file was chosen for the export.");
  std::string reason;
  if (!m_file.Open(path, reason)) return Fail("Can't write " + path + ": " + reason + ".");
  m_opened = true;
  m_buffer.reserve(kFlushSize + 4096);
  m_buffer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  return true;
}

bool XmlElementWriter::CheckOpen() {
  if (!m_error.empty()) return false;
  return m_opened || Fail("The export has not begun.");
}

bool XmlElementWriter::CheckName(const std::string& name) {
  if (!CheckOpen()) return false;
  bool valid = !name.empty() && IsNameStart(name[0]);
  for (char c : name) valid = valid && IsNameChar(c);
  return valid || Fail("Not an element name: " + name);
}

void XmlElementWriter::OpenTag(const std::string& name, std::int32_t index) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
  m_buffer += '<';
  m_buffer += name;
  m_buffer += " index=\"";
  m_buffer.append(digits, end);
  m_buffer += "\">";
}

bool XmlElementWriter::Begin(const std::string& name, std::int32_t index) {
  if (!CheckName(name)) return false;
  OpenTag(name, index);
  m_buffer += '\n';
  m_open.push_back(name);
  return FlushIfFull();
}

bool XmlElementWriter::Add(const std::string& name, const std::string& value, std::int32_t index) {
  if (!CheckName(name)) return false;
  OpenTag(name, index);
  AppendXmlCharacterData(m_buffer, value);
  m_buffer += "</";
  m_buffer += name;
  m_buffer += ">\n";
  return FlushIfFull();
}

bool XmlElementWriter::End(const std::string& name) {
  if (!CheckOpen()) return false;
  if (m_open.empty() || m_open.back() != name)
    return Fail("EndElement " + name + " does not close " + (m_open.empty() ? "an open element" : m_open.back()));
  m_open.pop_back();
  m_buffer += "</";
  m_buffer += name;
  m_buffer += ">\n";
  return FlushIfFull();
}

bool XmlElementWriter::FlushIfFull() { return m_buffer.size() < kFlushSize || Flush(); }

bool XmlElementWriter::Flush() {
  std::string reason;
  if (!m_file.Write(m_buffer.data(), m_buffer.size(), reason)) return Fail("Can't write: " + reason);
  m_buffer.clear();
  return true;
}

bool XmlElementWriter::Commit() {
  if (!CheckOpen()) return false;
  if (!m_open.empty()) return Fail("The element " + m_open.back() + " was not closed.");
  if (!Flush()) return false;
  std::string reason;
  if (!m_file.Commit(reason)) return Fail("Can't write: " + reason);
  m_opened = false;
  return true;
}
