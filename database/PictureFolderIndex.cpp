#include "database/PictureFolderIndex.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderComponents(const std::string& relativeFolder) {
  std::vector<std::string> parts;
  std::size_t start = relativeFolder.rfind(".\\", 0) == 0 ? 2 : 0;
  while (start < relativeFolder.size()) {
    const std::size_t end = relativeFolder.find('\\', start);
    parts.push_back(relativeFolder.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

// The walk's order: a folder before everything below it, sibling folders by
// their names; that is the order of the folders' lists of names.
bool WalkedBefore(const std::string& a, const std::string& b) { return FolderComponents(a) < FolderComponents(b); }

}  // namespace

PictureFolderIndex::PictureFolderIndex(const fs::path& root) : m_root(root) { Walk(root, ".\\"); }

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

bool PictureFolderIndex::IsReachable(const fs::path& relativeFile) const {
  fs::path folder = m_root;
  for (const auto& part : relativeFile.parent_path()) {
    folder /= part;
    std::error_code error;
    if (fs::symlink_status(folder, error).type() != fs::file_type::directory) return false;
  }
  std::error_code error;
  return fs::is_regular_file(m_root / relativeFile, error);  // a link to a file is listed, as the walk lists it
}

void PictureFolderIndex::Update(const fs::path& relativeFile) {
  const std::string name = relativeFile.filename().string();
  if (name.empty()) return;
  std::string folder = ".\\";
  for (const auto& part : relativeFile.parent_path()) folder += part.string() + "\\";
  std::vector<std::string>& folders = m_folders[name];
  const auto at = std::lower_bound(folders.begin(), folders.end(), folder, WalkedBefore);
  const bool listed = at != folders.end() && *at == folder;
  const bool present = IsReachable(relativeFile);
  if (present && !listed) {
    folders.insert(at, folder);
    ++m_fileCount;
  } else if (!present && listed) {
    folders.erase(at);
    --m_fileCount;
  }
}
