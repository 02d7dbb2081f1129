// Replacing a file safely: the new contents go to a temporary file in the
// same folder, made fresh there (never an entry someone else put there), are
// flushed to disk and renamed over the target, which keeps its permissions.
// On any failure the old file is untouched. A FIFO, device or folder under
// the name is refused and never opened.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

inline constexpr const char* kReadOnlyReason = "the file is read-only";

// writer puts the contents on the stream and returns false (with a reason in
// error) when it fails. Returns false with a short reason in error.
// A symbolic link is followed: its target is replaced and the link stays.
// A file without any write permission bit is refused with kReadOnlyReason.
bool WriteFileAtomically(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer,
                         std::string& error);

// Puts the bytes under the name itself, never through a symbolic link: a
// temporary file beside it is renamed onto it, so a link under the name is
// replaced itself. With replace false an entry already there (a dangling
// link too) makes it fail and stays as it was.
bool PlaceFileAtomically(const std::filesystem::path& target, const std::string& bytes, bool replace,
                         std::string& error);

// The whole file as bytes; false with a reason when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);
