// The pieces the readers of a key's files share: opening a file with a reason
// the user can read when that fails, and reading at an offset.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <string>

// "it cannot be read (the system's reason)".
std::string UnreadableReason(int error);

// The open descriptor of a plain file, opened without blocking, with its
// status; -1 with a short reason ("it does not exist", "it is a folder", "it
// is not a plain file", ...) otherwise. A link under the name is followed:
// this opens what the user named.
int OpenForReading(const std::filesystem::path& path, struct stat& status, std::string& error);

// Reads up to length bytes at offset; the count read (short at the end of
// the file), or -1 with errno set.
long long ReadAt(int fd, void* to, std::size_t length, std::size_t offset);
