#include "database/KeyFolderWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "database/AtomicFile.h"
#include "database/PictureImport.h"
#include "database/UtilityFunction.h"

namespace fs = std::filesystem;

namespace {

fs::path RealPath(const fs::path& path) {
  std::error_code error;
  fs::path real = fs::canonical(path, error);
  return error ? fs::path() : real;
}

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

KeyFolderWriter::KeyFolderWriter(const fs::path& keyFolder)
    : m_folder(keyFolder), m_realFolder(RealPath(keyFolder.empty() ? fs::path(".") : keyFolder)) {}

bool KeyFolderWriter::IsInside(const fs::path& realPath) const {
  if (m_realFolder.empty() || realPath.empty()) return false;
  return realPath == m_realFolder || IsInsideFolder(realPath, m_realFolder);
}

bool KeyFolderWriter::HoldsFolderOf(const fs::path& path) const {
  const fs::path parent = fs::absolute(path).parent_path();
  return IsInside(RealPath(parent));
}

std::string KeyFolderWriter::Refusal(const fs::path& target, Replacing replacing) const {
  const fs::path name = target.filename();
  if (name.empty() || name == "." || name == "..") return "it names no file";
  if (!HoldsFolderOf(target)) return "it lies outside the key's folder";
  std::error_code error;
  const fs::file_status status = fs::symlink_status(target, error);
  if (fs::is_symlink(status)) return "it is a symbolic link";
  if (!fs::exists(status)) return {};
  if (!fs::is_regular_file(status)) return "it is not a plain file";
  if (replacing == Replacing::Never) return "it exists already";
  // The mode bits decide, as for the database: a file its owner marked
  // read-only is not for the program to replace.
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kWrite) == fs::perms::none) return kReadOnlyReason;
  return {};
}

bool KeyFolderWriter::WriteFile(const fs::path& target, const std::string& bytes, Replacing replacing,
                                std::string& error) const {
  error = Refusal(target, replacing);
  if (!error.empty()) return false;
  return PlaceFileAtomically(target, bytes, replacing == Replacing::Allowed, error);
}

bool KeyFolderWriter::CopyFile(const fs::path& source, const fs::path& target, Replacing replacing,
                               std::string& error) const {
  std::error_code code;
  if (!fs::is_regular_file(source, code)) {
    error = "the source is no plain file";
    return false;
  }
  std::string bytes;
  return ReadWholeFile(source, bytes, error) && WriteFile(target, bytes, replacing, error);
}

bool KeyFolderWriter::MoveFile(const fs::path& source, const fs::path& target, std::string& error) const {
  if (!HoldsFolderOf(source)) {
    error = "the source lies outside the key's folder";
    return false;
  }
  error = Refusal(target, Replacing::Never);
  if (!error.empty()) return false;
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EXDEV && errno != EINVAL && errno != ENOSYS) {
    error = ErrnoText();
    return false;
  }
#endif
  std::error_code code;
  if (!CopyFile(source, target, Replacing::Never, error)) return false;
  fs::remove(source, code);
  return true;
}

bool KeyFolderWriter::AppendText(const fs::path& target, const std::string& text, std::string& error) const {
  error = Refusal(target, Replacing::Allowed);
  if (!error.empty()) return false;
  // No link is followed and a pipe never blocks the run, even when one
  // appears under the name after the check.
  const int file = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (file < 0) {
    error = ErrnoText();
    return false;
  }
  struct stat status {};
  bool ok = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
  if (!ok) error = "it is not a plain file";
  ok = ok && ::write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  if (ok) return ::close(file) == 0;
  if (error.empty()) error = ErrnoText();
  ::close(file);
  return false;
}

bool KeyFolderWriter::MakeFolders(const std::string& relativeFolder) const {
  if (!IsPlainRelativeName(relativeFolder) && !relativeFolder.empty()) return false;
  fs::path folder = m_folder;
  for (const auto& part : StoredNameToPath(fs::path(), relativeFolder)) {
    if (part.empty() || part == ".") continue;
    folder /= part;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(folder, error))) fs::create_directory(folder, error);
    if (!fs::is_directory(folder, error) || !IsInside(RealPath(folder))) return false;
  }
  return IsInside(RealPath(folder));
}
