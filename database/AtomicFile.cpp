#include "database/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "database/DescriptorOutputBuffer.h"
#include "database/FileBytes.h"

namespace fs = std::filesystem;

namespace {

fs::path TemporaryBeside(const fs::path& target) {
  std::random_device random;
  const std::string suffix = std::to_string(random()) + ".tmp";
  return target.parent_path() / ("." + target.filename().string() + "." + suffix);
}

std::string ErrnoText() { return std::strerror(errno); }

using Writer = std::function<bool(std::ostream&)>;

// Runs the writer on a stream into the open file; false with a reason.
bool RunWriter(int descriptor, const Writer& writer, std::string& error) {
  DescriptorOutputBuffer buffer(descriptor);
  std::ostream out(&buffer);
  bool wrote = false;
  try {
    wrote = writer(out);
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  out.flush();
  if (buffer.error() != 0) {
    error = "cannot write the file (" + std::string(std::strerror(buffer.error())) + ")";
    return false;
  }
  if (!wrote || !out) {
    if (error.empty()) error = "the contents could not be written";
    return false;
  }
  return true;
}

// Writes a new file through the writer, streamed to the disk as it is
// produced, and makes sure the contents reached the disk. The file must
// not exist yet: nothing is ever written through a name someone else made.
bool WriteAndSync(const fs::path& path, const Writer& writer, std::string& error) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    error = "cannot create a file in the folder (" + ErrnoText() + ")";
    return false;
  }
  bool ok = RunWriter(descriptor, writer, error);
  if (ok && ::fsync(descriptor) != 0) {
    error = "cannot write the file (" + ErrnoText() + ")";
    ok = false;
  }
  if (::close(descriptor) != 0 && ok) {
    error = "cannot write the file (" + ErrnoText() + ")";
    ok = false;
  }
  return ok;
}

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

// The mode bits decide, not access(): an administrator may write anywhere,
// yet a file its owner marked read-only is not for the program to replace.
bool IsMarkedReadOnly(const fs::path& path) {
  std::error_code code;
  const fs::file_status status = fs::status(path, code);
  if (code || !fs::is_regular_file(status)) return false;
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & kWrite) == fs::perms::none;
}

std::error_code RenameOver(const fs::path& from, const fs::path& to) {
  std::error_code code;
  fs::rename(from, to, code);
  return code;
}

// A rename that fails when the name is taken, whatever takes it. Where the
// file system cannot rename that way, a hard link does the same.
std::error_code RenameBeside(const fs::path& from, const fs::path& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return {errno, std::generic_category()};
#endif
  if (::link(from.c_str(), to.c_str()) != 0) return {errno, std::generic_category()};
  std::error_code code;
  fs::remove(from, code);
  return {};
}

// The new contents go to a temporary file beside the target, which is
// renamed onto it once they are on the disk; on failure it is removed.
bool PlaceThroughTemporary(const fs::path& target, const Writer& writer, bool replace, std::string& error) {
  const fs::path temporary = TemporaryBeside(target);
  if (!WriteAndSync(temporary, writer, error)) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  std::error_code code;
  const fs::file_status old = fs::symlink_status(target, code);
  if (!code && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), code);
  code = replace ? RenameOver(temporary, target) : RenameBeside(temporary, target);
  if (code) {
    error = (replace ? "cannot replace the file (" : "cannot create the file (") + code.message() + ")";
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const fs::path& path, const std::function<bool(std::ostream&)>& writer,
                         std::string& error) {
  const fs::path target = FinalTarget(path);
  if (IsMarkedReadOnly(target)) {
    error = kReadOnlyReason;
    return false;
  }
  return PlaceThroughTemporary(target, writer, true, error);
}

bool PlaceFileAtomically(const fs::path& target, const std::string& bytes, bool replace, std::string& error) {
  const Writer writeBytes = [&bytes](std::ostream& out) {
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
  };
  return PlaceThroughTemporary(target, writeBytes, replace, error);
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error) {
  FileBytes file;
  if (!file.Read(path, error)) return false;
  bytes.assign(reinterpret_cast<const char*>(file.data()), file.size());
  return true;
}
