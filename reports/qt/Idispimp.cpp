#include "reports/qt/Idispimp.h"

#include <QCoreApplication>

CImpIDispatch& CImpIDispatch::Application() {
  static CImpIDispatch* instance = new CImpIDispatch(QCoreApplication::instance());
  return *instance;
}

int CImpIDispatch::GetIDsOfNames(const QString& name) {
  // The stored name is compared over its first three bytes as narrow text,
  // which in effect is its first two characters.
  static const QString kStored = QStringLiteral("xxyyzz");
  return name.left(2) == kStored.left(2) && name.size() >= 2 ? kDispatchId : kUnknownName;
}

std::optional<QString> CImpIDispatch::Invoke(int dispatchId) {
  if (dispatchId != kDispatchId) return std::nullopt;
  return QStringLiteral("Wibble");
}
