// The one place that decides every write a key's content leads to. A key's
// folder comes from elsewhere and may hold symbolic links and crafted names,
// so a write is allowed only when the real folder of the target (links
// resolved) lies inside the key's folder, the final name is no symbolic link
// (dangling or not) and no folder, and an existing file is replaced only when
// the caller says the command means to replace it.
#pragma once

#include <filesystem>
#include <string>

enum class Replacing { Never, Allowed };

class KeyFolderWriter {
 public:
  explicit KeyFolderWriter(const std::filesystem::path& keyFolder);

  // Why a write to target is refused; empty when it is allowed.
  std::string Refusal(const std::filesystem::path& target, Replacing replacing) const;
  // Whether the folder holding path, links resolved, lies inside the key's folder.
  bool HoldsFolderOf(const std::filesystem::path& path) const;

  // Each returns false (nothing written) with a reason in error when refused or failed.
  bool WriteFile(const std::filesystem::path& target, const std::string& bytes, Replacing replacing,
                 std::string& error) const;
  bool CopyFile(const std::filesystem::path& source, const std::filesystem::path& target, Replacing replacing,
                std::string& error) const;
  // Moves a file of the key's folder to a name not taken yet.
  bool MoveFile(const std::filesystem::path& source, const std::filesystem::path& target, std::string& error) const;
  // Appends the text to a plain file, created when missing; a link, a
  // device or a pipe under that name is refused, not opened.
  bool AppendText(const std::filesystem::path& target, const std::string& text, std::string& error) const;
  // Creates every missing folder of a stored relative folder name ("a\\b")
  // below the key's folder; an existing level may be a link only when it
  // leads to a folder inside. True when the folder is there afterwards.
  bool MakeFolders(const std::string& relativeFolder) const;

  const std::filesystem::path& Folder() const { return m_folder; }

 private:
  bool IsInside(const std::filesystem::path& realPath) const;

  std::filesystem::path m_folder;      // as given
  std::filesystem::path m_realFolder;  // links resolved
};
