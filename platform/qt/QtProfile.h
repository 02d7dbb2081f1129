// The user's profile on QSettings: organisation "QOR application", one
// group per section.
#pragma once

#include <QSettings>
#include <memory>

#include "platform/Profile.h"

namespace platform::qt {

class QtProfile : public Profile {
 public:
  QtProfile();
  // A profile kept in an INI file of its own (tests).
  explicit QtProfile(const QString& iniPath);

  int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
  void WriteInt(const std::string& section, const std::string& key, int value) override;
  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override;

  QSettings& Settings() { return *m_settings; }
  void Sync() { m_settings->sync(); }

 private:
  std::unique_ptr<QSettings> m_settings;
};

}  // namespace platform::qt
