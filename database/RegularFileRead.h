// Reading a file a key brought with it (levels file, region files, pictures,
// thumbnails' sources). Only a regular file is read; it is opened without
// blocking, so a FIFO under its name cannot hang the program, and its size is
// bounded before any memory is taken, so a sparse or endless file cannot
// swallow it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

class FolderHandle;

// The whole regular file open as fd, when it holds at most maxBytes; the
// descriptor stays the caller's. False with a reason the user can read.
bool ReadOpenRegularFile(int fd, std::size_t maxBytes, std::string& bytes, std::string& error);

// The regular file named relative beneath folder, links followed only while
// they stay inside the folder.
bool ReadRegularFileBeneath(const FolderHandle& folder, const std::filesystem::path& relative, std::size_t maxBytes,
                            std::string& bytes, std::string& error);

// A file of a key by its path: the folder holding it is the boundary, so a
// link under its name is followed only to another file of that folder.
bool ReadKeyFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, std::string& error);

// "it is larger than N bytes".
std::string TooLargeReason(std::size_t maxBytes);
