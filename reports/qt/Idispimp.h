// The external object every hosted page receives as window.external. No page
// relies on it; it answers one property so old page scripts find it alive.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

class CImpIDispatch : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString xxyyzz READ Value CONSTANT)

 public:
  static constexpr int kDispatchId = 12345;
  static constexpr int kUnknownName = -1;

  // The one program-wide instance, owned by the application object.
  static CImpIDispatch& Application();

  // A name matches when its first two characters are those of "xxyyzz".
  static int GetIDsOfNames(const QString& name);
  // A property get of the known id gives "Wibble"; anything else nothing.
  static std::optional<QString> Invoke(int dispatchId);

  QString Value() const { return *Invoke(kDispatchId); }

 private:
  using QObject::QObject;
};
