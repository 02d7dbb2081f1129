// Writing one name of an open folder. The name is checked and written
// relative to the folder's descriptor, and the new contents go to a fresh
// temporary file beside it that is renamed onto the name: no link, FIFO or
// device under the name is ever opened, and nothing can be swapped in
// between the check and the write.
#pragma once

#include <functional>
#include <ostream>
#include <string>

// Puts the contents on the stream; false (with a reason in error, when it
// has one) when it fails.
using StreamWriter = std::function<bool(std::ostream&)>;

enum class Syncing {
  ToDisk,   // the contents are on the disk before the name shows them
  Skipped,  // a debug aid: the system writes it back when it likes
};

// Why name in folder may not be written; empty when it may. A symbolic link
// (dangling or not), a folder, a FIFO or a device is refused; an existing
// plain file only when replace is false or it is marked read-only.
std::string EntryRefusal(int folder, const std::string& name, bool replace);

// Writes the contents to a new temporary file in folder, then renames it
// onto name: over what is there when replace is true (a link under the name
// is replaced itself, never its target), only when the name is free when
// not. An existing plain file's permissions carry over. On failure nothing
// is left behind and the name is as it was.
bool PlaceEntry(int folder, const std::string& name, const StreamWriter& writer, bool replace, Syncing syncing,
                std::string& error);

// Renames, failing with EEXIST when the name to is taken by anything. 0 or -1
// with errno set.
int RenameWithoutReplacing(int fromFolder, const std::string& from, int toFolder, const std::string& to);
