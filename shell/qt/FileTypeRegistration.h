// Tells the desktop about the program for the user: a desktop entry that
// opens ".qor" files with this program, the shared MIME type of ".qor"
// files and the program's icon, in the user's XDG data folder.
#pragma once

#include <QString>

// $XDG_DATA_HOME, or ~/.local/share when it is not set.
QString UserDataHome();

QString DesktopEntryText(const QString& programFile);
QString MimeTypeText();

// Writes each of the three files that is missing below dataHome (files
// already there are left as they are) and, when one was written, starts the
// desktop's cache tools that are installed. Failures are ignored: the
// program works without the registration. Returns the number of files written.
int RegisterFileTypes(const QString& dataHome, const QString& programFile);
