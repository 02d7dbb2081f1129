// Every file below an import folder, indexed once by its file name, so that
// resolving the names of a whole database walks the folder a single time
// instead of once per picture.
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

  std::size_t FileCount() const { return m_fileCount; }

 private:
  void Walk(const std::filesystem::path& folder, const std::string& relative);

  std::unordered_map<std::string, std::vector<std::string>> m_folders;
  std::size_t m_fileCount = 0;
};
