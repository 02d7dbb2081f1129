#include "editors/qt/ExporterPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStandardPaths>

#include "editors/qt/QORExporterPlugin.h"
#include "platform/ErrorBox.h"

namespace {

// The name a plugin declares in its metadata; empty for a file that is no
// plugin or declares none (it is then not listed).
QString DeclaredName(const QString& file) {
  const QJsonObject meta = QPluginLoader(file).metaData();
  return meta.value("MetaData").toObject().value("Name").toString().trimmed();
}

void AddFolder(const QString& folder, std::vector<ExporterEntry>& entries) {
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return;
  for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
    if (!QLibrary::isLibrary(info.fileName())) continue;
    const QString file = info.absoluteFilePath();
    if (QString name = DeclaredName(file); !name.isEmpty()) entries.push_back({file, name});
  }
}

}  // namespace

QStringList ExporterFolders() {
  QStringList folders{QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("exporters")};
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  // A relative location would name a folder below the current one.
  if (!data.isEmpty() && QDir::isAbsolutePath(data)) folders << QDir(data).absoluteFilePath("exporters");
  return folders;
}

std::vector<ExporterEntry> FindExporters() {
  std::vector<ExporterEntry> entries;
  for (const QString& folder : ExporterFolders()) AddFolder(folder, entries);
  return entries;
}

std::unique_ptr<QORExporter> CreateExporter(const ExporterEntry& entry) {
  QPluginLoader loader(entry.file);
  QObject* instance = loader.instance();
  if (!instance) ThrowErrorMessage("Can't load exporter.");
  auto* plugin = qobject_cast<QORExporterPlugin*>(instance);
  if (!plugin) ThrowErrorMessage("The component is not QORExporter.");
  std::unique_ptr<QORExporter> exporter = plugin->CreateExporter();
  if (!exporter) ThrowErrorMessage("Can't load exporter.");
  return exporter;
}
