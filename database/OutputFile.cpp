#include "database/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "database/AtomicFile.h"
#include "database/FolderEntryWrite.h"
#include "database/FolderHandle.h"
#include "platform/Ui.h"

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

// The reason a status found under the name forbids the write; empty for a
// plain file that may be replaced.
std::string RefusalOf(const struct stat& status) {
  if (S_ISLNK(status.st_mode)) return "it is a symbolic link";
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (!S_ISREG(status.st_mode)) return "it is not a plain file";
  // The mode bits decide, as for a database: a file its owner marked
  // read-only is not for the program to replace.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return kReadOnlyReason;
  return {};
}

}  // namespace

std::string OutputFileRefusal(const fs::path& path) {
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") return "it names no file";
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return {};
  return RefusalOf(status);
}

bool RefuseOutputFile(const std::string& path, const std::string& nothingDone) {
  const std::string reason = OutputFileRefusal(path);
  if (reason.empty()) return false;
  platform::Ui().ShowMessage("Cannot write \"" + path + "\": " + reason + ". " + nothingDone, {},
                             platform::MessageIcon::Error);
  return true;
}

bool AgreeToReplaceOutputFile(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return true;
  return platform::Ui().AskYesNo(path + " already exists.\nDo you want to replace it?", false);
}

bool ConfirmOutputFile(const std::string& path, const std::string& nothingDone) {
  return !RefuseOutputFile(path, nothingDone) && AgreeToReplaceOutputFile(path);
}

bool WriteOutputFile(const fs::path& path, const std::function<bool(std::ostream&)>& writer, std::string& error) {
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") {
    error = "it names no file";
    return false;
  }
  const FolderHandle folder(path.parent_path());
  if (!folder.IsOpen()) {
    error = "cannot open the folder (" + ErrnoText(errno) + ")";
    return false;
  }
  struct stat status {};
  if (::fstatat(folder.Fd(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
    error = RefusalOf(status);
    if (!error.empty()) return false;
  }
  // The rename replaces the entry itself: a link that appears after the
  // check is replaced, its target never written.
  return PlaceEntry(folder.Fd(), name, writer, true, Syncing::ToDisk, error);
}
