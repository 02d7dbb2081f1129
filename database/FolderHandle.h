// An open folder beneath which names are resolved. A key's folder may hold
// links and its names may be swapped while the program works, so a name is
// never checked by path and then opened by path: it is resolved by the
// kernel relative to this handle, in one step, and cannot leave the folder.
#pragma once

#include <sys/types.h>

#include <filesystem>

enum class LinksBeneath {
  Refused,  // no symbolic link at any level of the name (every write)
  Inside,   // links followed while they stay inside the folder (reads)
};

class FolderHandle {
 public:
  FolderHandle() = default;
  // Opens the folder the user chose; the folder itself may be reached
  // through a link, as the user named it.
  explicit FolderHandle(const std::filesystem::path& folder);
  ~FolderHandle();
  FolderHandle(FolderHandle&& other) noexcept;
  FolderHandle& operator=(FolderHandle&& other) noexcept;
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  int Fd() const { return m_fd; }

  // Opens relative (a name below the folder, several levels allowed) with
  // the open flags given; O_CLOEXEC and O_NOCTTY are always added. Returns
  // the descriptor, or -1 with errno set: EXDEV or ELOOP when the name
  // leads out of the folder or through a refused link.
  int Open(const std::filesystem::path& relative, int flags, LinksBeneath links, mode_t mode = 0) const;
  // The folder relative names, opened as a handle of its own.
  FolderHandle OpenFolder(const std::filesystem::path& relative, LinksBeneath links) const;

 private:
  explicit FolderHandle(int fd) : m_fd(fd) {}
  int OpenByWalk(const std::filesystem::path& relative, int flags, mode_t mode) const;

  int m_fd = -1;
};
