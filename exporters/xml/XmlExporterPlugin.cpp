#include "exporters/xml/XmlExporterPlugin.h"

#include "exporters/xml/XmlExporter.h"

std::unique_ptr<QORExporter> XmlExporterPlugin::CreateExporter() { return std::make_unique<XmlExporter>(); }
