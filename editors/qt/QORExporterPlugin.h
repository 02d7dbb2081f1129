// The Qt plugin interface through which the program finds exporters: a
// plugin in an exporters folder declares its display name in its metadata
// ({"Name": "..."}) and makes a fresh exporter for every export run.
#pragma once

#include <QtPlugin>
#include <memory>

#include "editors/QORExporter.h"

class QORExporterPlugin {
 public:
  virtual ~QORExporterPlugin() = default;
  // A new exporter; destroying it without EndExport abandons its output.
  virtual std::unique_ptr<QORExporter> CreateExporter() = 0;
};

// The interface id carries the exporter interface's identifier, so a plugin
// built for another interface is told apart from an exporter.
#define QORExporterPlugin_iid "org.qor.QORExporter/{50D04E88-D42E-11D4-983C-444553540000}"
Q_DECLARE_INTERFACE(QORExporterPlugin, QORExporterPlugin_iid)
