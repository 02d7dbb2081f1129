// Writes an element tree as XML 1.0, fast enough for the largest keys (tens
// of millions of elements): one element per line, the text as character
// data (XmlCharacterData.h), the index as an attribute. Output goes to a
// temporary file beside the target that replaces the target only at Commit;
// without it the target is untouched, and a link or a pipe under the
// target's name is refused, never written through (ExportTargetFile.h). After a failed call every later one
// fails with the first reason, Commit too: no file is left that misses an
// element.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exporters/xml/ExportTargetFile.h"

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
  bool CheckOpen();
  bool CheckName(const std::string& name);
  void OpenTag(const std::string& name, std::int32_t index);
  bool FlushIfFull();
  bool Flush();
  bool Fail(std::string text);

  ExportTargetFile m_file;
  std::string m_buffer;
  std::vector<std::string> m_open;
  std::string m_error;
  bool m_opened = false;
};
