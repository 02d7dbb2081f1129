// Moving pictures and their region files into a database folder. Failures
// are returned, never thrown, so an import can report them line by line.
// Every write goes through the key folder's writer: nothing is written
// outside it, through a link, or over a file already there. Every source is
// a name below the folder the user chose, read only through that folder's
// open handle: a link leading out of it, a pipe or a device is refused
// without being read or waited on.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "database/FolderHandle.h"

class KeyFolderWriter;

// The most one picture or region file may hold to be copied: the bytes are
// held in memory between the read and the write.
inline constexpr std::size_t kMaxTransferredFileBytes = std::size_t{1} << 30;

// The folder pictures are taken from, held open for the whole import so that
// every source is resolved beneath the folder the user chose.
class PictureSourceFolder {
 public:
  explicit PictureSourceFolder(std::filesystem::path folder);

  const FolderHandle& Handle() const { return m_handle; }
  std::filesystem::path PathOf(const std::filesystem::path& relative) const { return m_path / relative; }

 private:
  std::filesystem::path m_path;
  FolderHandle m_handle;
};

// Copies the file named relative below the source folder to destination
// (read through the folder's handle, written through the writer), or moves
// it (a rename by the writer, decided through the handle: the name must be a
// plain file of the folder; a link that stays inside is copied instead, so
// the link is never carried to a place where it would point elsewhere). A
// destination already there, a source that is the destination itself, a
// refused source or a refused write counts as a failure.
bool TransferFile(const KeyFolderWriter& writer, const PictureSourceFolder& from, const std::filesystem::path& relative,
                  const std::filesystem::path& destination, bool move);

// When "<picture>.regions" is a readable file of the source folder it
// follows the picture to "<destination>.regions", unless a region file is
// there already.
void CopyRegionFile(const KeyFolderWriter& writer, const PictureSourceFolder& from,
                    const std::filesystem::path& relativePicture, const std::filesystem::path& destinationPicture,
                    bool move);
