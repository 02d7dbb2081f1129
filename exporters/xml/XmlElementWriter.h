// Writes an element tree as XML, fast enough for the largest keys (tens of
// millions of elements): one element per line, the text escaped, the index
// as an attribute. Output goes to a temporary file beside the target that
// replaces the target only at Commit; without it the target is untouched.
#pragma once

#include <QSaveFile>
#include <cstdint>
#include <string>
#include <vector>

class XmlElementWriter {
 public:
  // False with the reason in Error() when the file cannot be created.
  bool Open(const std::string& path);
  bool Begin(const std::string& name, std::int32_t index);
  bool Add(const std::string& name, const std::string& value, std::int32_t index);
  // Closes the innermost element, which must carry that name.
  bool End(const std::string& name);
  // Every element closed, the file complete and in place of the target.
  bool Commit();
  const std::string& Error() const { return m_error; }

 private:
  bool CheckName(const std::string& name);
  void OpenTag(const std::string& name, std::int32_t index);
  void AppendText(const std::string& text);
  bool FlushIfFull();
  bool Flush();
  bool Fail(std::string text);

  QSaveFile m_file;
  std::string m_buffer;
  std::vector<std::string> m_open;
  std::string m_error;
  bool m_opened = false;
};
