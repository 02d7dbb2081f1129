// An exporter for the export dialog's tests. The test reaches the plugin's
// object through its own loader of the same file and sets what the next
// exporter does; every call the exporters get is written to "calls".
#pragma once

#include <QObject>
#include <QStringList>

#include "editors/qt/QORExporterPlugin.h"

class TestExporterPlugin : public QObject, public QORExporterPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QORExporterPlugin_iid FILE "test.json")
  Q_INTERFACES(QORExporterPlugin)
  // Whether the exporter asks for a file.
  Q_PROPERTY(bool wantsFile MEMBER m_wantsFile)
  // The element whose call fails, with "refused <name>".
  Q_PROPERTY(QString failAt MEMBER m_failAt)
  // Milliseconds each element call takes, as a slow exporter's would.
  Q_PROPERTY(int elementDelay MEMBER m_elementDelay)
  Q_PROPERTY(QStringList calls MEMBER m_calls)
 public:
  std::unique_ptr<QORExporter> CreateExporter() override;

  bool m_wantsFile = false;
  QString m_failAt;
  int m_elementDelay = 0;
  QStringList m_calls;
};
