// The file a command makes at a name the user was offered (the merged
// database, an export). The name may lie in a key's folder, which may hold
// a symbolic link, a pipe or a folder under it: such a name is refused
// before anything is asked or written, a plain file there is replaced only
// after the user agreed, and the file is written through a temporary file
// that is renamed onto the name itself, so no link is ever followed.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

// Why nothing may be written at path ("it is a symbolic link", "it is not a
// plain file", ...); empty when it is free or a plain file to replace.
std::string OutputFileRefusal(const std::filesystem::path& path);

// Shows "Cannot write "<path>": <reason>. <nothingDone>" and returns true
// when the name is refused; false, showing nothing, when it may be written.
bool RefuseOutputFile(const std::string& path, const std::string& nothingDone);

// True when nothing is at path, or when the user agreed to replace the
// plain file there; the question defaults to No.
bool AgreeToReplaceOutputFile(const std::string& path);

// Both in turn: the refusal shown, then the question asked.
bool ConfirmOutputFile(const std::string& path, const std::string& nothingDone);

// The writer's contents go to a new temporary file beside path, created
// without following any link, and are renamed onto the name once on the
// disk; a plain file there keeps its permissions. A link, a pipe, a device
// or a folder under the name is refused before anything is written; one
// that appears later is replaced itself, never written through. False with
// a short reason in error.
bool WriteOutputFile(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& writer,
                     std::string& error);
