// Tells the desktop about the program for the user: a desktop entry that
// opens ".qor" files with this program, the shared MIME type of ".qor"
// files and the program's icon, in the user's XDG data folder.
#pragma once

#include <QString>
#include <optional>

// $XDG_DATA_HOME, or ~/.local/share when it is not set.
QString UserDataHome();

// The desktop entry with the program's path quoted and escaped for the Exec
// key; none when the path holds a control character, which no entry carries.
std::optional<QString> DesktopEntryText(const QString& programFile);
QString MimeTypeText();

// Writes each of the three files that is missing below dataHome (files
// already there are left as they are) and, when one was written, starts the
// desktop's cache tools that are installed. Failures are ignored: the
// program works without the registration; a program path the desktop entry
// cannot carry skips that entry with a warning. Returns the number of files written.
int RegisterFileTypes(const QString& dataHome, const QString& programFile);
