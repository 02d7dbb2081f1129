// The key's folder as its pages see it. Every page of a key (the report
// pages, the key's own page, a page a report links to, the open dialog's
// preview) is shown from an address of the program's own scheme,
// "qorkey://k<n>/", whose handler serves only regular files beneath that
// folder (links that stay inside are followed, links that lead out are
// refused). A page of this scheme cannot load file addresses, so it sees
// nothing else of this computer; the program's own folder is served the same
// way under "qorkey://program/".
#pragma once

#include <QString>
#include <QUrl>
#include <string>

class QWebEngineProfile;

namespace key_folder {

inline constexpr char kScheme[] = "qorkey";

// Makes the scheme known to the engine; before the application object.
void RegisterScheme();
void InstallHandler(QWebEngineProfile& profile);

bool IsKeyAddress(const QUrl& url);

// The address of the folder, ending in "/"; the folder is opened once and
// its handle kept. Empty when the folder cannot be opened.
QUrl FolderUrl(const QString& folder);
// The address a file is shown from: its name under its folder's address.
QUrl FileUrl(const QString& file);

// The report's file addresses of the key's folder and of the program's
// folder, written as this scheme's; every other file address stays and is
// refused by the engine.
std::string WithSchemeAddresses(std::string html, const QString& folder);

}  // namespace key_folder
