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
// A file address inside the key's folder or the program's as this scheme's
// (its fragment kept); every other address as it is.
QUrl SchemeUrlOf(const QUrl& url, const QString& keyFolder);
// The file address a folder's address of this scheme stands for, as the
// link actions know the key's pages; every other address as it is.
QUrl FileAddressOf(const QUrl& url);
// A page text of the program's (a picture window's) with the file address
// of each picture and style sheet it names shown from an address of this
// scheme that serves that file alone; other file addresses stay, and show
// nothing.
std::string WithPictureAddresses(const std::string& html);

// A page the program made, too big for an inline load, held in memory and
// served under "qorkey://report/" until released (beside the pictures its
// page texts name). Such a page is the
// program's, not the key's: it is served as it is, with its scripts.
QUrl HoldPage(QByteArray html);
void ReleasePage(const QUrl& url);
bool IsHeldPage(const QUrl& url);
// An address of a key's own document: a file of the key's or the program's
// folder, not a page the program made.
bool IsKeyDocument(const QUrl& url);

}  // namespace key_folder
