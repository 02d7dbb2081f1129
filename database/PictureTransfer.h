// Moving pictures and their region files into a database folder. Failures
// are returned, never thrown, so an import can report them line by line.
// Every write goes through the key folder's writer: nothing is written
// outside it, through a link, or over a file already there.
#pragma once

#include <filesystem>
#include <string>

class KeyFolderWriter;

// Copies source to destination through a temporary file, or moves it (a
// rename; across devices a copy and a removal). A destination already
// there, a source that is the destination itself, or a refused write
// counts as a failure.
bool TransferFile(const KeyFolderWriter& folder, const std::filesystem::path& source,
                  const std::filesystem::path& destination, bool move);

// When "<source>.regions" exists it follows the picture to
// "<destination>.regions", unless a region file is there already.
void CopyRegionFile(const KeyFolderWriter& folder, const std::filesystem::path& sourcePicture,
                    const std::filesystem::path& destinationPicture, bool move);
