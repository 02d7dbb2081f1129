#include "database/KeyFolderWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "database/RegularFileRead.h"
#include "database/UtilityFunction.h"

namespace fs = std::filesystem;

namespace {

std::string ErrnoText() { return std::strerror(errno); }

// The path made absolute and normal, without a trailing separator.
fs::path Normal(const fs::path& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(path.empty() ? fs::path(".") : path, error);
  if (error) absolute = path;
  absolute = absolute.lexically_normal();
  while (!absolute.has_filename() && absolute.has_relative_path()) absolute = absolute.parent_path();
  return absolute;
}

fs::path RealPath(const fs::path& path) {
  std::error_code error;
  fs::path real = fs::canonical(path, error);
  return error ? fs::path() : real;
}

// path relative to folder when it lies below it ("." for the folder itself);
// empty when it does not.
fs::path Below(const fs::path& path, const fs::path& folder) {
  if (folder.empty() || path.empty()) return {};
  const fs::path relative = path.lexically_relative(folder);
  if (relative.empty() || *relative.begin() == "..") return {};
  return relative;
}

bool NamesNoFile(const fs::path& name) { return name.empty() || name == "." || name == ".."; }

std::string FolderFailure(int error) {
  if (error == EXDEV || error == ELOOP) return "it lies outside the key's folder";
  return "its folder cannot be opened (" + std::string(std::strerror(error)) + ")";
}

StreamWriter BytesWriter(const std::string& bytes) {
  return [&bytes](std::ostream& out) {
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
  };
}

// A source outside the key's folder: opened in its own folder, as named,
// and never through a link under its name.
bool ReadOutsideSource(const fs::path& source, std::size_t maxBytes, std::string& bytes, std::string& error) {
  const FolderHandle folder(source.parent_path());
  const int fd = NamesNoFile(source.filename())
                     ? -1
                     : folder.Open(source.filename(), O_RDONLY | O_NONBLOCK, LinksBeneath::Refused);
  if (fd < 0) {
    error = ErrnoText();
    return false;
  }
  const bool ok = ReadOpenRegularFile(fd, maxBytes, bytes, error);
  ::close(fd);
  return ok;
}

}  // namespace

KeyFolderWriter::KeyFolderWriter(const fs::path& keyFolder)
    : m_folder(keyFolder),
      m_absoluteFolder(Normal(keyFolder)),
      m_realFolder(RealPath(m_absoluteFolder)),
      m_handle(m_absoluteFolder) {}

// Targets are named by callers as paths below the folder they gave; one
// named through another way to the same folder is found by its real folder.
// Either way the name is then resolved beneath the open folder, so a wrong
// guess here can never lead a write out of it.
fs::path KeyFolderWriter::RelativeName(const fs::path& path) const {
  const fs::path absolute = Normal(path);
  fs::path relative = Below(absolute, m_absoluteFolder);
  if (!relative.empty() || m_realFolder.empty()) return relative;
  const fs::path parent = Below(RealPath(absolute.parent_path()), m_realFolder);
  return parent.empty() ? fs::path() : (parent / absolute.filename()).lexically_normal();
}

bool KeyFolderWriter::OpenPlace(const fs::path& target, Place& place, std::string& error) const {
  if (NamesNoFile(target.filename())) {
    error = "it names no file";
    return false;
  }
  const fs::path relative = RelativeName(target);
  if (NamesNoFile(relative.filename())) {
    error = "it lies outside the key's folder";
    return false;
  }
  place.folder = m_handle.OpenFolder(relative.parent_path(), LinksBeneath::Inside);
  if (!place.folder.IsOpen()) {
    error = FolderFailure(errno);
    return false;
  }
  place.name = relative.filename().string();
  return true;
}

bool KeyFolderWriter::HoldsFolderOf(const fs::path& path) const {
  Place place;
  std::string error;
  return OpenPlace(path, place, error);
}

std::string KeyFolderWriter::Refusal(const fs::path& target, Replacing replacing) const {
  Place place;
  std::string error;
  if (!OpenPlace(target, place, error)) return error;
  return EntryRefusal(place.folder.Fd(), place.name, replacing == Replacing::Allowed);
}

bool KeyFolderWriter::WriteStream(const fs::path& target, const StreamWriter& writer, Replacing replacing,
                                  Syncing syncing, std::string& error) const {
  Place place;
  if (!OpenPlace(target, place, error)) return false;
  const bool replace = replacing == Replacing::Allowed;
  error = EntryRefusal(place.folder.Fd(), place.name, replace);
  return error.empty() && PlaceEntry(place.folder.Fd(), place.name, writer, replace, syncing, error);
}

bool KeyFolderWriter::WriteFile(const fs::path& target, const std::string& bytes, Replacing replacing,
                                std::string& error) const {
  return WriteStream(target, BytesWriter(bytes), replacing, Syncing::ToDisk, error);
}

bool KeyFolderWriter::ReadSource(const fs::path& source, std::string& bytes, std::string& error) const {
  const fs::path relative = RelativeName(source);
  const bool ok = NamesNoFile(relative.filename())
                      ? ReadOutsideSource(source, kMaxSourceBytes, bytes, error)
                      : ReadRegularFileBeneath(m_handle, relative, kMaxSourceBytes, bytes, error);
  if (!ok) error = "the source cannot be read: " + error;
  return ok;
}

bool KeyFolderWriter::CopyFile(const fs::path& source, const fs::path& target, Replacing replacing,
                               std::string& error) const {
  // Refused targets are told before the source is read.
  error = Refusal(target, replacing);
  if (!error.empty()) return false;
  std::string bytes;
  return ReadSource(source, bytes, error) && WriteFile(target, bytes, replacing, error);
}

bool KeyFolderWriter::MoveFile(const fs::path& source, const fs::path& target, std::string& error) const {
  Place to;
  if (!OpenPlace(target, to, error)) return false;
  error = EntryRefusal(to.folder.Fd(), to.name, false);
  if (!error.empty()) return false;
  Place from;
  const bool inside = !NamesNoFile(RelativeName(source).filename()) && OpenPlace(source, from, error);
  if (inside) {
    struct stat status {};
    if (::fstatat(from.folder.Fd(), from.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) {
      error = "the source is no plain file";
      return false;
    }
    if (RenameWithoutReplacing(from.folder.Fd(), from.name, to.folder.Fd(), to.name) == 0) return true;
    if (errno != EXDEV) {
      error = ErrnoText();
      return false;
    }
  }
  // Another file system, or a source outside: copied, then removed.
  std::string bytes;
  if (!ReadSource(source, bytes, error) ||
      !PlaceEntry(to.folder.Fd(), to.name, BytesWriter(bytes), false, Syncing::ToDisk, error))
    return false;
  if (inside) {
    ::unlinkat(from.folder.Fd(), from.name.c_str(), 0);
  } else {
    const FolderHandle folder(source.parent_path());
    if (folder.IsOpen()) ::unlinkat(folder.Fd(), source.filename().c_str(), 0);
  }
  return true;
}

bool KeyFolderWriter::AppendText(const fs::path& target, const std::string& text, std::string& error) const {
  Place place;
  if (!OpenPlace(target, place, error)) return false;
  error = EntryRefusal(place.folder.Fd(), place.name, true);
  if (!error.empty()) return false;
  // No link is followed and a pipe never blocks the run, even when one
  // appears under the name after the check.
  const int file = ::openat(place.folder.Fd(), place.name.c_str(),
                            O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
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
  // Each level is made in the one above, opened beneath the key's folder.
  fs::path reached;
  for (const auto& part : StoredNameToPath(fs::path(), relativeFolder)) {
    if (part.empty() || part == ".") continue;
    const FolderHandle above = m_handle.OpenFolder(reached, LinksBeneath::Inside);
    if (!above.IsOpen()) return false;
    if (::mkdirat(above.Fd(), part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    reached /= part;
  }
  return m_handle.OpenFolder(reached, LinksBeneath::Inside).IsOpen();
}
