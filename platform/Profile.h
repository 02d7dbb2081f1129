// The user's profile: named sections of integer and string values, kept by
// the desktop (QSettings under "QOR application" in the program).
#pragma once

#include <map>
#include <string>

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual int GetInt(const std::string& section, const std::string& key, int defaultValue) = 0;
  virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) = 0;
  virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// A profile held in memory: the default until the program installs its own,
// and what tests use.
class MemoryProfile : public Profile {
 public:
  int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
  void WriteInt(const std::string& section, const std::string& key, int value) override;
  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override;

  bool Has(const std::string& section, const std::string& key) const;
  const std::map<std::string, std::string>& values() const { return m_values; }

 private:
  static std::string Key(const std::string& section, const std::string& key) { return section + "/" + key; }
  std::map<std::string, std::string> m_values;
};

Profile& UserProfile();
void SetUserProfile(Profile* profile);

}  // namespace platform
