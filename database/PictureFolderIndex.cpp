#include "database/PictureFolderIndex.h"

#include <algorithm>

namespace fs = std::filesystem;

PictureFolderIndex::PictureFolderIndex(const fs::path& root) { Walk(root, ".\\"); }

const std::vector<std::string>& PictureFolderIndex::FoldersHolding(const std::string& fileName) const {
  static const std::vector<std::string> none;
  const auto it = m_folders.find(fileName);
  return it == m_folders.end() ? none : it->second;
}

void PictureFolderIndex::Walk(const fs::path& folder, const std::string& relative) {
  std::error_code error;
  std::vector<std::string> subfolders;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind;
    const std::string name = it->path().filename().string();
    if (it->is_symlink(kind) && it->is_directory(kind)) continue;
    if (it->is_directory(kind)) {
      subfolders.push_back(name);
    } else if (it->is_regular_file(kind)) {
      m_folders[name].push_back(relative);
      ++m_fileCount;
    }
  }
  // The same sorted walk as the search by name, so both find the same places in the same order.
  std::sort(subfolders.begin(), subfolders.end());
  for (const auto& name : subfolders) Walk(folder / name, relative + name + "\\");
}
