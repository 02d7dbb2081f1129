// Every file below an import folder, indexed by its file name, so that
// resolving the names of a whole database walks the folder a single time
// instead of once per picture. An import that moves or copies a file below
// the folder tells the index, which then answers as a fresh walk would.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

class PictureFolderIndex {
 public:
  explicit PictureFolderIndex(const std::filesystem::path& root);

  // The relative folders that hold a regular file of that name, in the form
  // and order FindFileInSubfolders gives when started at ".\\": the root
  // first, then its subfolders depth first. Directory links are not followed.
  const std::vector<std::string>& FoldersHolding(const std::string& fileName) const;

  // Looks again at one file, named relative to the root (no "..", no root
  // part): it is listed when it is now there as a walk would find it, and
  // no longer listed when it has gone.
  void Update(const std::filesystem::path& relativeFile);

  std::size_t FileCount() const { return m_fileCount; }

 private:
  void Walk(const std::filesystem::path& folder, const std::string& relative);
  // The walk reaches the file: every folder on its way is a folder, not a link.
  bool IsReachable(const std::filesystem::path& relativeFile) const;

  std::filesystem::path m_root;
  std::unordered_map<std::string, std::vector<std::string>> m_folders;
  std::size_t m_fileCount = 0;
};
