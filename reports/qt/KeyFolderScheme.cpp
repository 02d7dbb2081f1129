#include "reports/qt/KeyFolderScheme.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <map>
#include <memory>

#include "database/HtmlEscape.h"
#include "database/ProgramFolders.h"
#include "reports/qt/FolderReader.h"

namespace key_folder {

namespace {

// Far above any picture or page of a key; a bigger file is refused before
// anything is allocated for it.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
const QString kProgramHost = QStringLiteral("program");

struct Folders {
  std::map<QString, std::unique_ptr<CFolderReader>> byHost;
  std::map<QString, QString> hostOf;  // by the folder's absolute path
};

Folders& Registry() {
  static Folders folders;
  return folders;
}

QString Slashed(QString path) { return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'); }

QString ProgramFolderPath() {
  return QDir::cleanPath(QString::fromStdString(ProgramFolder().generic_string()));
}

const CFolderReader* ReaderFor(const QString& host) {
  if (host == kProgramHost && !Registry().hostOf.count(ProgramFolderPath())) FolderUrl(ProgramFolderPath());
  const auto found = Registry().byHost.find(host);
  return found == Registry().byHost.end() ? nullptr : found->second.get();
}

QString MimeTypeOf(const QString& name) {
  static const QMimeDatabase mimeTypes;
  return mimeTypes.mimeTypeForFile(name, QMimeDatabase::MatchExtension).name();
}

class CKeyFolderHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QUrl url = job->requestUrl();
    const CFolderReader* folder = ReaderFor(url.host());
    QString name = url.path(QUrl::FullyDecoded);
    while (name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
    std::optional<QByteArray> bytes;
    if (folder && !name.isEmpty()) bytes = folder->Read(name, kMaxFileBytes);
    if (!bytes) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(*bytes);
    buffer->open(QIODevice::ReadOnly);
    job->reply(MimeTypeOf(name).toUtf8(), buffer);
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

std::string WithSchemeAddresses(std::string html, const QString& folder) {
  const QString key = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  html = ReplacePrefix(std::move(html), key, FolderUrl(key));
  return ReplacePrefix(std::move(html), ProgramFolderPath(), FolderUrl(ProgramFolderPath()));
}

}  // namespace key_folder
