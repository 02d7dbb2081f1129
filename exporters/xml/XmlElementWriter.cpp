#include "exporters/xml/XmlElementWriter.h"

#include <charconv>

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

}  // namespace

bool XmlElementWriter::Fail(std::string text) {
  m_error = std::move(text);
  return false;
}

bool XmlElementWriter::Open(const std::string& path) {
  if (path.empty()) return Fail("No file was chosen for the export.");
  m_file.setFileName(QString::fromStdString(path));
  if (!m_file.open(QIODevice::WriteOnly)) return Fail("Can't write " + path + ": " + m_file.errorString().toStdString());
  m_opened = true;
  m_buffer.reserve(kFlushSize + 4096);
  m_buffer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  return true;
}

bool XmlElementWriter::CheckName(const std::string& name) {
  if (!m_opened) return Fail("The export has not begun.");
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

// Characters XML 1.0 does not allow are left out; a carriage return is kept
// as a reference, which a reader does not fold into the line feed.
void XmlElementWriter::AppendText(const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&': m_buffer += "&amp;"; break;
      case '<': m_buffer += "&lt;"; break;
      case '>': m_buffer += "&gt;"; break;
      case '\r': m_buffer += "&#13;"; break;
      case '\t': case '\n': m_buffer += c; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20) m_buffer += c;
    }
  }
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
  AppendText(value);
  m_buffer += "</";
  m_buffer += name;
  m_buffer += ">\n";
  return FlushIfFull();
}

bool XmlElementWriter::End(const std::string& name) {
  if (!m_opened) return Fail("The export has not begun.");
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
  const auto size = static_cast<qint64>(m_buffer.size());
  if (m_file.write(m_buffer.data(), size) != size) return Fail("Can't write: " + m_file.errorString().toStdString());
  m_buffer.clear();
  return true;
}

bool XmlElementWriter::Commit() {
  if (!m_opened) return Fail("The export has not begun.");
  if (!m_open.empty()) return Fail("The element " + m_open.back() + " was not closed.");
  if (!Flush()) return false;
  if (!m_file.commit()) return Fail("Can't write: " + m_file.errorString().toStdString());
  m_opened = false;
  return true;
}
