// A plugin that declares a name but serves another interface: listed, yet
// refused when chosen.
#pragma once

#include <QObject>

class OtherPlugin : public QObject {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qor.SomethingElse/1.0" FILE "other.json")
};
