#include "database/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "database/FileBytes.h"
#include "database/FolderEntryWrite.h"
#include "database/FolderHandle.h"

namespace fs = std::filesystem;

namespace {

// The file a path names, symbolic links followed: replacing the link itself
// would leave its target with the old contents. A dangling link names the
// file it would create.
fs::path FinalTarget(const fs::path& target) {
  fs::path path = target;
  std::error_code code;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, code); ++hops) {
    const fs::path next = fs::read_symlink(path, code);
    if (code) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

bool NamesNoFile(const fs::path& name) { return name.empty() || name == "." || name == ".."; }

// The folder that holds target, opened as the user named it.
FolderHandle OpenFolderOf(const fs::path& target, std::string& error) {
  FolderHandle folder(target.parent_path());
  if (!folder.IsOpen()) error = "cannot create a file in the folder (" + std::string(std::strerror(errno)) + ")";
  return folder;
}

}  // namespace

bool WriteFileAtomically(const fs::path& path, const std::function<bool(std::ostream&)>& writer, std::string& error) {
  const fs::path target = FinalTarget(path);
  if (NamesNoFile(target.filename())) {
    error = "it names no file";
    return false;
  }
  const FolderHandle folder = OpenFolderOf(target, error);
  if (!folder.IsOpen()) return false;
  // What the links lead to is decided on the open folder: a link still
  // there (a loop, or one put there since) and a FIFO, device or folder
  // are refused, never opened.
  const std::string name = target.filename().string();
  error = EntryRefusal(folder.Fd(), name, true);
  return error.empty() && PlaceEntry(folder.Fd(), name, writer, true, Syncing::ToDisk, error);
}

bool PlaceFileAtomically(const fs::path& target, const std::string& bytes, bool replace, std::string& error) {
  if (NamesNoFile(target.filename())) {
    error = "it names no file";
    return false;
  }
  const FolderHandle folder = OpenFolderOf(target, error);
  if (!folder.IsOpen()) return false;
  const std::string name = target.filename().string();
  struct stat status {};
  if (::fstatat(folder.Fd(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(status.st_mode) &&
      !S_ISLNK(status.st_mode)) {
    error = "it is not a plain file";
    return false;
  }
  const StreamWriter writeBytes = [&bytes](std::ostream& out) {
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
  };
  return PlaceEntry(folder.Fd(), name, writeBytes, replace, Syncing::ToDisk, error);
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error) {
  FileBytes file;
  if (!file.Read(path, error)) return false;
  bytes.assign(reinterpret_cast<const char*>(file.data()), file.size());
  return true;
}
