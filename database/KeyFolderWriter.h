// The one place that decides every write a key's content leads to. A key's
// folder comes from elsewhere and may hold symbolic links and crafted names,
// and its entries may be swapped while the program writes. So the folder is
// opened once, and every write is resolved relative to that handle by the
// kernel: the target's folder only through links that stay inside, the
// final name never a symbolic link (dangling or not), a FIFO, a device or a
// folder, and an existing file replaced only when the caller says the
// command means to replace it. The check and the write are made on the same
// open folder, so nothing can be swapped in between.
#pragma once

#include <filesystem>
#include <string>

#include "database/FolderEntryWrite.h"
#include "database/FolderHandle.h"

enum class Replacing { Never, Allowed };

class KeyFolderWriter {
 public:
  // The folder as the user chose it; it may itself be reached through a link.
  explicit KeyFolderWriter(const std::filesystem::path& keyFolder);

  // Why a write to target is refused; empty when it is allowed.
  std::string Refusal(const std::filesystem::path& target, Replacing replacing) const;
  // Whether the folder holding path lies inside the key's folder.
  bool HoldsFolderOf(const std::filesystem::path& path) const;

  // Each returns false (nothing written) with a reason in error when refused or failed.
  bool WriteFile(const std::filesystem::path& target, const std::string& bytes, Replacing replacing,
                 std::string& error) const;
  // The contents streamed by writer, for a file too large to hold in memory.
  bool WriteStream(const std::filesystem::path& target, const StreamWriter& writer, Replacing replacing,
                   Syncing syncing, std::string& error) const;
  // A source inside the key's folder is read through its folder, links that
  // stay inside followed; one outside only when no link leads to it.
  bool CopyFile(const std::filesystem::path& source, const std::filesystem::path& target, Replacing replacing,
                std::string& error) const;
  // Moves a file to a name not taken yet: renamed when both lie inside the
  // key's folder, else copied and the source removed.
  bool MoveFile(const std::filesystem::path& source, const std::filesystem::path& target, std::string& error) const;
  // Appends the text to a plain file, created when missing; a link, a
  // device or a pipe under that name is refused, not opened.
  bool AppendText(const std::filesystem::path& target, const std::string& text, std::string& error) const;
  // Creates every missing folder of a stored relative folder name ("a\\b")
  // below the key's folder; an existing level may be a link only when it
  // leads to a folder inside. True when the folder is there afterwards.
  bool MakeFolders(const std::string& relativeFolder) const;

  const std::filesystem::path& Folder() const { return m_folder; }

  // The largest file a copy or a move reads into memory.
  static constexpr std::size_t kMaxSourceBytes = std::size_t{1} << 30;

 private:
  // A target's folder, opened beneath the key's folder, and its final name.
  struct Place {
    FolderHandle folder;
    std::string name;
  };
  std::filesystem::path RelativeName(const std::filesystem::path& path) const;
  bool OpenPlace(const std::filesystem::path& target, Place& place, std::string& error) const;
  bool ReadSource(const std::filesystem::path& source, std::string& bytes, std::string& error) const;

  std::filesystem::path m_folder;          // as given
  std::filesystem::path m_absoluteFolder;  // made absolute, to name targets below it
  std::filesystem::path m_realFolder;      // links resolved, for a target named through another way
  FolderHandle m_handle;
};
