#include "platform/qt/QtProfile.h"

namespace platform::qt {
namespace {
QString KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}
}  // namespace

QtProfile::QtProfile() : m_settings(std::make_unique<QSettings>("QOR application", "QOR")) {}

QtProfile::QtProfile(const QString& iniPath) : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

int QtProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
  bool ok = false;
  const int value = m_settings->value(KeyOf(section, key), defaultValue).toInt(&ok);
  return ok ? value : defaultValue;
}

void QtProfile::WriteInt(const std::string& section, const std::string& key, int value) {
  m_settings->setValue(KeyOf(section, key), value);
}

std::string QtProfile::GetString(const std::string& section, const std::string& key, const std::string& defaultValue) {
  return m_settings->value(KeyOf(section, key), QString::fromStdString(defaultValue)).toString().toStdString();
}

void QtProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  m_settings->setValue(KeyOf(section, key), QString::fromStdString(value));
}

}  // namespace platform::qt
