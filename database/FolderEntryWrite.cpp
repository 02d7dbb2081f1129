#include "database/FolderEntryWrite.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "database/AtomicFile.h"
#include "database/DescriptorOutputBuffer.h"

namespace {

std::string ErrnoText() { return std::strerror(errno); }

std::string TemporaryName(const std::string& name) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  return "." + name + "." + std::to_string(random()) + ".tmp";
}

// Runs the writer on a stream into the open file; false with a reason.
bool RunWriter(int descriptor, const StreamWriter& writer, std::string& error) {
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

// Fills the new file made as temporary and closes it; false with a reason.
bool FillAndClose(int descriptor, const StreamWriter& writer, Syncing syncing, std::string& error) {
  bool ok = RunWriter(descriptor, writer, error);
  if (ok && syncing == Syncing::ToDisk && ::fsync(descriptor) != 0) {
    error = "cannot write the file (" + ErrnoText() + ")";
    ok = false;
  }
  if (::close(descriptor) != 0 && ok) {
    error = "cannot write the file (" + ErrnoText() + ")";
    ok = false;
  }
  return ok;
}

// A fresh file no one else made: O_EXCL never opens an existing entry, and
// O_NOFOLLOW never creates through a link planted under the name.
int CreateTemporary(int folder, const std::string& name, std::string& temporary) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    temporary = TemporaryName(name);
    const int descriptor =
        ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

}  // namespace

std::string EntryRefusal(int folder, const std::string& name, bool replace) {
  struct stat status {};
  if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? std::string() : ErrnoText();
  if (S_ISLNK(status.st_mode)) return "it is a symbolic link";
  if (!S_ISREG(status.st_mode)) return "it is not a plain file";
  if (!replace) return "it exists already";
  // The mode bits decide, as for the database: a file its owner marked
  // read-only is not for the program to replace.
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return kReadOnlyReason;
  return {};
}

int RenameWithoutReplacing(int fromFolder, const std::string& from, int toFolder, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
  // A file system that cannot rename that way: a hard link is refused by a
  // taken name just the same.
  if (::linkat(fromFolder, from.c_str(), toFolder, to.c_str(), 0) != 0) return -1;
  ::unlinkat(fromFolder, from.c_str(), 0);
  return 0;
}

bool PlaceEntry(int folder, const std::string& name, const StreamWriter& writer, bool replace, Syncing syncing,
                std::string& error) {
  std::string temporary;
  const int descriptor = CreateTemporary(folder, name, temporary);
  if (descriptor < 0) {
    error = "cannot create a file in the folder (" + ErrnoText() + ")";
    return false;
  }
  struct stat old {};
  if (replace && ::fstatat(folder, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
    ::fchmod(descriptor, old.st_mode & 07777);
  if (!FillAndClose(descriptor, writer, syncing, error)) {
    ::unlinkat(folder, temporary.c_str(), 0);
    return false;
  }
  const int renamed = replace ? ::renameat(folder, temporary.c_str(), folder, name.c_str())
                              : RenameWithoutReplacing(folder, temporary, folder, name);
  if (renamed != 0) {
    error = (replace ? "cannot replace the file (" : "cannot create the file (") + ErrnoText() + ")";
    ::unlinkat(folder, temporary.c_str(), 0);
    return false;
  }
  return true;
}
