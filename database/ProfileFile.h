// A private profile (INI) file with the rules of the Windows profile
// functions: section and key names compared without regard to case, values
// trimmed, a value in matching quotes unquoted, every other line kept as it
// is, lines ended with CR LF. Files are Windows-1252, or UTF-8 with a
// byte-order mark when a text needs it (EncodeTextFile).
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class ProfileFile {
 public:
  explicit ProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

  // The value of key in section; defaultValue when the file, the section or
  // the key is missing. At most maxChars characters are returned.
  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                        std::size_t maxChars = 1000) const;
  // Sets key in section, creating the file, the section or the key as needed.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;
  // Sets several keys of one section with a single read and replacement of
  // the file, so they change together.
  bool WriteStrings(const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& keysAndValues) const;
  // The file's bytes with those keys set, for a caller that writes them itself.
  std::string WithStrings(const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& keysAndValues) const;

  // Parsing and editing of the file's text, for the file functions above.
  static std::vector<std::string> SplitLines(const std::string& text);
  static bool Lookup(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
                     std::string& value);
  static void Assign(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                     const std::string& value);

 private:
  std::filesystem::path m_path;
};
