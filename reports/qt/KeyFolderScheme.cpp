#include "reports/qt/KeyFolderScheme.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <map>
#include <memory>

#include "database/HtmlEscape.h"
#include "database/ProgramFolders.h"
#include "reports/KeyPageContent.h"
#include "reports/qt/FolderReader.h"

namespace key_folder {

namespace {

// Far above any picture or page of a key; a bigger file is refused before
// anything is allocated for it.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
const QString kProgramHost = QStringLiteral("program");
// The pages the program made that are too big for an inline load.
const QString kHeldHost = QStringLiteral("report");

struct Folders {
  std::map<QString, std::unique_ptr<CFolderReader>> byHost;
  std::map<QString, QString> hostOf;        // by the folder's absolute path
  std::map<QString, QString> pathOf;        // by host
  std::map<QString, QByteArray> heldPages;  // by path
  std::map<QString, QString> heldFiles;     // the file's absolute path, by path
  std::map<QString, QString> heldFileAt;    // the path, by the file's absolute path
  int heldCount = 0;
};

Folders& Registry() {
  static Folders folders;
  return folders;
}

QString Slashed(QString path) { return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'); }

QString ProgramFolderPath() { return QDir::cleanPath(QString::fromStdString(ProgramFolder().generic_string())); }

const CFolderReader* ReaderFor(const QString& host) {
  if (host == kProgramHost && !Registry().hostOf.count(ProgramFolderPath())) FolderUrl(ProgramFolderPath());
  const auto found = Registry().byHost.find(host);
  return found == Registry().byHost.end() ? nullptr : found->second.get();
}

QString NameIn(const QUrl& url) {
  QString name = url.path(QUrl::FullyDecoded);
  while (name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
  return name;
}

void Reply(QWebEngineUrlRequestJob& job, const QByteArray& type, const QByteArray& bytes) {
  auto* buffer = new QBuffer(&job);
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  job.reply(type, buffer);
}

// A key's file of a type that cannot run script, an HTML page with the
// policy that keeps it from running any.
std::optional<QByteArray> KeyFile(const QString& host, const QString& name, QByteArray& type) {
  const CFolderReader* folder = ReaderFor(host);
  const std::optional<std::string> known = key_page::ContentTypeOf(name.toStdString());
  if (!folder || name.isEmpty() || !known) return std::nullopt;
  std::optional<QByteArray> bytes = folder->Read(name, kMaxFileBytes);
  if (!bytes) return std::nullopt;
  type = QByteArray::fromStdString(*known);
  if (key_page::IsHtml(*known)) return QByteArray::fromStdString(key_page::WithPagePolicy(bytes->toStdString()));
  return bytes;
}

// A picture or style sheet the program named in a page of its own.
std::optional<QByteArray> HeldFile(const QString& path, QByteArray& type) {
  const auto held = Registry().heldFiles.find(path);
  if (held == Registry().heldFiles.end()) return std::nullopt;
  const QFileInfo file(held->second);
  const std::optional<std::string> known = key_page::ContentTypeOf(file.fileName().toStdString());
  if (!known || key_page::IsHtml(*known)) return std::nullopt;
  type = QByteArray::fromStdString(*known);
  return CFolderReader(file.absolutePath()).Read(file.fileName(), kMaxFileBytes);
}

// The address a picture or style sheet of a page of the program's is shown
// from: that file alone, not its folder. Empty for a file of another type.
QUrl HoldFile(const QString& path) {
  const std::optional<std::string> type = key_page::ContentTypeOf(QFileInfo(path).fileName().toStdString());
  if (!type || key_page::IsHtml(*type)) return {};
  Folders& folders = Registry();
  QString& at = folders.heldFileAt[path];
  if (at.isEmpty()) {
    at = QStringLiteral("/file%1/").arg(++folders.heldCount) + QFileInfo(path).fileName();
    folders.heldFiles[at] = path;
  }
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  url.setHost(kHeldHost);
  url.setPath(at);
  return url;
}

class CKeyFolderHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QUrl url = job->requestUrl();
    if (const auto held = Registry().heldPages.find(url.path());
        url.host() == kHeldHost && held != Registry().heldPages.end()) {
      Reply(*job, "text/html;charset=utf-8", held->second);
      return;
    }
    QByteArray type;
    const std::optional<QByteArray> bytes =
        url.host() == kHeldHost ? HeldFile(url.path(), type) : KeyFile(url.host(), NameIn(url), type);
    if (!bytes)
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    else
      Reply(*job, type, *bytes);
  }
};

std::string ReplacePrefix(std::string html, const QString& folder, const QUrl& address) {
  if (folder.isEmpty() || address.isEmpty()) return html;
  return ReplaceAll(std::move(html), ::FileUrl(Slashed(folder).toStdString()),
                    address.toString(QUrl::FullyEncoded).toStdString());
}

}  // namespace

void RegisterScheme() {
  static bool done = false;
  if (done) return;
  done = true;
  QWebEngineUrlScheme scheme(kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  QWebEngineUrlScheme::registerScheme(scheme);
}

void InstallHandler(QWebEngineProfile& profile) {
  if (!profile.urlSchemeHandler(kScheme)) profile.installUrlSchemeHandler(kScheme, new CKeyFolderHandler(&profile));
}

bool IsKeyAddress(const QUrl& url) { return url.scheme().compare(QLatin1String(kScheme), Qt::CaseInsensitive) == 0; }

QUrl FolderUrl(const QString& folder) {
  const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  Folders& folders = Registry();
  QString host;
  if (const auto known = folders.hostOf.find(path); known != folders.hostOf.end()) {
    host = known->second;
  } else {
    auto reader = std::make_unique<CFolderReader>(path);
    if (!reader->IsOpen()) return {};
    host = path == ProgramFolderPath() ? kProgramHost : QStringLiteral("k%1").arg(folders.byHost.size() + 1);
    folders.byHost[host] = std::move(reader);
    folders.hostOf[path] = host;
    folders.pathOf[host] = path;
  }
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  url.setHost(host);
  url.setPath(QStringLiteral("/"));
  return url;
}

QUrl FileUrl(const QString& file) {
  const QFileInfo info(file);
  const QUrl folder = FolderUrl(info.absolutePath());
  if (folder.isEmpty()) return {};
  QUrl name;
  name.setPath(info.fileName());
  return folder.resolved(name);
}

QUrl SchemeUrlOf(const QUrl& url, const QString& keyFolder) {
  if (!url.isLocalFile()) return url;
  const QString file = QDir::cleanPath(url.toLocalFile());
  for (const QString& folder : {QDir::cleanPath(QFileInfo(keyFolder).absoluteFilePath()), ProgramFolderPath()}) {
    if (!file.startsWith(Slashed(folder))) continue;
    QUrl inside = FolderUrl(folder);
    if (inside.isEmpty()) return url;
    inside.setPath(QLatin1Char('/') + file.mid(Slashed(folder).size()));
    inside.setFragment(url.fragment());
    return inside;
  }
  return url;
}

QUrl FileAddressOf(const QUrl& url) {
  if (!IsKeyAddress(url)) return url;
  const auto folder = Registry().pathOf.find(url.host());
  if (folder == Registry().pathOf.end()) return url;
  QUrl file = QUrl::fromLocalFile(Slashed(folder->second) + NameIn(url));
  file.setFragment(url.fragment());
  return file;
}

std::string WithPictureAddresses(const std::string& html) {
  static const QRegularExpression kFileAddress(QStringLiteral("file://[^'\"\\s<>()]+"));
  const QString text = QString::fromStdString(html);
  QString result;
  qsizetype done = 0;
  for (const QRegularExpressionMatch& match : kFileAddress.globalMatch(text)) {
    const QUrl address(match.captured(), QUrl::StrictMode);
    const QUrl shown = address.isValid() ? HoldFile(QDir::cleanPath(address.toLocalFile())) : QUrl();
    result += text.mid(done, match.capturedStart() - done);
    result += shown.isEmpty() ? match.captured() : shown.toString(QUrl::FullyEncoded);
    done = match.capturedEnd();
  }
  result += text.mid(done);
  return result.toStdString();
}

QUrl HoldPage(QByteArray html) {
  Folders& folders = Registry();
  const QString path = QStringLiteral("/page%1.htm").arg(++folders.heldCount);
  folders.heldPages[path] = std::move(html);
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  url.setHost(kHeldHost);
  url.setPath(path);
  return url;
}

void ReleasePage(const QUrl& url) {
  if (IsHeldPage(url)) Registry().heldPages.erase(url.path());
}

bool IsHeldPage(const QUrl& url) {
  return IsKeyAddress(url) && url.host() == kHeldHost && Registry().heldPages.count(url.path()) > 0;
}

bool IsKeyDocument(const QUrl& url) { return IsKeyAddress(url) && url.host() != kHeldHost; }

std::string WithSchemeAddresses(std::string html, const QString& folder) {
  const QString key = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  html = ReplacePrefix(std::move(html), key, FolderUrl(key));
  return ReplacePrefix(std::move(html), ProgramFolderPath(), FolderUrl(ProgramFolderPath()));
}

}  // namespace key_folder
