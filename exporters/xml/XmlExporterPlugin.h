// The XML exporter as the program finds it in its exporters folder.
#pragma once

#include <QObject>

#include "editors/qt/QORExporterPlugin.h"

class XmlExporterPlugin : public QObject, public QORExporterPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QORExporterPlugin_iid FILE "xml.json")
  Q_INTERFACES(QORExporterPlugin)
 public:
  std::unique_ptr<QORExporter> CreateExporter() override;
};
