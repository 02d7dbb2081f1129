// The file an export writes, at a name that may lie in a key's folder. The
// contents go to a new temporary file beside the target, created relative
// to an open handle of the folder without following any link; Commit
// renames it onto the name itself, so a link there is replaced, never
// written through. A symbolic link, a pipe, a device or a folder under the
// name is refused, at Open and again at Commit, and the temporary file is
// removed whenever the export does not end with Commit.
#pragma once

#include <cstddef>
#include <string>

class ExportTargetFile {
 public:
  ExportTargetFile() = default;
  ~ExportTargetFile();
  ExportTargetFile(const ExportTargetFile&) = delete;
  ExportTargetFile& operator=(const ExportTargetFile&) = delete;

  // Each returns false with a short reason in error.
  bool Open(const std::string& path, std::string& error);
  bool Write(const char* data, std::size_t size, std::string& error);
  // The contents on the disk and in place of the target.
  bool Commit(std::string& error);

 private:
  void Discard();
  bool Finish(std::string& error);
  bool Place(std::string& error);

  int m_folder = -1;
  int m_file = -1;
  std::string m_name;       // the target's name in its folder
  std::string m_temporary;  // the temporary file's name there
};
