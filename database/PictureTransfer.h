// Moving pictures and their region files into a database folder. Failures
// are returned, never thrown, so an import can report them line by line.
#pragma once

#include <filesystem>
#include <string>

// Copies source over destination through a temporary file, or moves it
// (a rename; across devices a copy and a removal). A source that is the
// destination itself is left alone and counts as a failure.
bool TransferFile(const std::filesystem::path& source, const std::filesystem::path& destination, bool move);

// When "<source>.regions" exists it follows the picture to "<destination>.regions".
void CopyRegionFile(const std::filesystem::path& sourcePicture, const std::filesystem::path& destinationPicture,
                    bool move);

// Creates every missing folder of a stored relative folder name ("a\\b")
// below base; true when the folder exists afterwards.
bool MakeFolders(const std::filesystem::path& base, const std::string& relativeFolder);
