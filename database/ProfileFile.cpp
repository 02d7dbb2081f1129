#include "database/ProfileFile.h"

#include "database/AtomicFile.h"
#include "database/RegularFileRead.h"
#include "database/TextCodec.h"

namespace {

// A profile file holds a few short names; anything larger is no such file.
constexpr std::size_t kMaxProfileBytes = std::size_t{64} << 10;

// The file comes with a key: it is read only when it is a plain file of its
// own folder and small, so a FIFO, a device, a link out of the folder or a
// sparse giant under its name reads as a missing file.
bool ReadProfileBytes(const std::filesystem::path& path, std::string& bytes) {
  std::string error;
  return ReadKeyFile(path, kMaxProfileBytes, bytes, error);
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) { return CompareNoCase(Trimmed(a), Trimmed(b)) == 0; }

// The name of a "[section]" line; false for any other line.
bool SectionName(const std::string& line, std::string& name) {
  const std::string text = Trimmed(line);
  if (text.size() < 2 || text.front() != '[') return false;
  const auto close = text.find(']');
  if (close == std::string::npos) return false;
  name = text.substr(1, close - 1);
  return true;
}

// The key and raw value of a "key=value" line; false for any other line.
bool KeyLine(const std::string& line, std::string& key, std::string& value) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = line.substr(0, equals);
  value = line.substr(equals + 1);
  return true;
}

std::string Unquoted(const std::string& raw) {
  std::string value = Trimmed(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

// A value the reader would change (it trims blanks around a value and takes
// off matching quotes) goes inside quotes, which the reader takes off again.
std::string AsWritten(const std::string& value) { return Unquoted(value) == value ? value : '"' + value + '"'; }

// Cuts text to at most count characters without splitting a UTF-8 sequence.
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t n = 0; at < text.size() && n < count; ++n) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  }
  return text.substr(0, at);
}

}  // namespace

std::vector<std::string> ProfileFile::SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool ProfileFile::Lookup(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                         std::string& value) {
  bool inSection = false;
  for (const auto& line : lines) {
    std::string name, lineKey, raw;
    if (SectionName(line, name)) {
      inSection = SameName(name, section);
    } else if (inSection && KeyLine(line, lineKey, raw) && SameName(lineKey, key)) {
      value = Unquoted(raw);
      return true;
    }
  }
  return false;
}

void ProfileFile::Assign(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                         const std::string& value) {
  const std::string newLine = key + "=" + AsWritten(value);
  bool inSection = false;
  std::size_t insertAt = std::string::npos;  // after the section's last non-blank line
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string name, lineKey, raw;
    if (SectionName(lines[i], name)) {
      if (inSection) break;
      inSection = SameName(name, section);
      if (inSection) insertAt = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (KeyLine(lines[i], lineKey, raw) && SameName(lineKey, key)) {
      lines[i] = newLine;
      return;
    }
    if (!Trimmed(lines[i]).empty()) insertAt = i + 1;
  }
  if (insertAt == std::string::npos) {
    lines.push_back("[" + section + "]");
    lines.push_back(newLine);
    return;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                                   std::size_t maxChars) const {
  std::string bytes, value;
  if (!ReadProfileBytes(m_path, bytes) || !Lookup(SplitLines(DecodeTextFile(bytes)), section, key, value))
    value = defaultValue;
  return FirstCharacters(value, maxChars);
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const {
  return WriteStrings(section, {{key, value}});
}

std::string ProfileFile::WithStrings(const std::string& section,
                                     const std::vector<std::pair<std::string, std::string>>& keysAndValues) const {
  std::string bytes;
  std::vector<std::string> lines;
  if (ReadProfileBytes(m_path, bytes)) lines = SplitLines(DecodeTextFile(bytes));
  for (const auto& [key, value] : keysAndValues) Assign(lines, section, key, value);
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return EncodeTextFile(text);
}

bool ProfileFile::WriteStrings(const std::string& section,
                               const std::vector<std::pair<std::string, std::string>>& keysAndValues) const {
  const std::string encoded = WithStrings(section, keysAndValues);
  std::string error;
  return WriteFileAtomically(
      m_path, [&](std::ostream& out) { return static_cast<bool>(out.write(encoded.data(), encoded.size())); }, error);
}
