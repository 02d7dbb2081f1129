// The installed exporters: every plugin in the program's "exporters" folder,
// then every one in the user's data folder's "exporters" folder. Plugins
// run inside the program, so no other folder is ever searched (neither the
// database's nor the current one).
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "editors/QORExporter.h"

struct ExporterEntry {
  QString file;         // the plugin's full path
  QString displayName;  // the name the plugin declares
};

// The folders searched, beside the program first.
QStringList ExporterFolders();

// The plugins of those folders that declare a display name, each folder in
// file-name order. Listing reads the plugins' metadata without running them.
std::vector<ExporterEntry> FindExporters();

// Loads the plugin and makes an exporter; the error box "Can't load
// exporter." when the plugin does not load, "The component is not
// QORExporter." when it is no exporter plugin.
std::unique_ptr<QORExporter> CreateExporter(const ExporterEntry& entry);
