#include "platform/ErrorBox.h"
#include "platform/Profile.h"
#include "platform/Ui.h"

namespace platform {
namespace {

class SilentUi : public UserInterface {
 public:
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
  bool AskYesNo(const std::string&, bool defaultYes, const std::string&) override { return defaultYes; }
  int AskYesNoCancel(const std::string&, const std::string&) override { return -1; }
  std::optional<std::string> AskOpenFileName(const std::string&, const std::vector<FileFilter>&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const std::string&, const std::vector<FileFilter>&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskFolder(const std::string&, const std::string&) override { return std::nullopt; }
  bool OpenExternal(const std::string&) override { return false; }
  void SetWaitCursor(bool) override {}
};

SilentUi g_silentUi;
UserInterface* g_ui = &g_silentUi;
MemoryProfile g_memoryProfile;
Profile* g_profile = &g_memoryProfile;

}  // namespace

UserInterface& Ui() { return *g_ui; }
void SetUi(UserInterface* ui) { g_ui = ui ? ui : &g_silentUi; }

Profile& UserProfile() { return *g_profile; }
void SetUserProfile(Profile* profile) { g_profile = profile ? profile : &g_memoryProfile; }

int MemoryProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
  auto it = m_values.find(Key(section, key));
  if (it == m_values.end()) return defaultValue;
  try {
    return std::stoi(it->second);
  } catch (...) {
    return defaultValue;
  }
}
void MemoryProfile::WriteInt(const std::string& section, const std::string& key, int value) {
  m_values[Key(section, key)] = std::to_string(value);
}
std::string MemoryProfile::GetString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  auto it = m_values.find(Key(section, key));
  return it == m_values.end() ? defaultValue : it->second;
}
void MemoryProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  m_values[Key(section, key)] = value;
}
bool MemoryProfile::Has(const std::string& section, const std::string& key) const {
  return m_values.count(Key(section, key)) != 0;
}

}  // namespace platform

void ThrowErrorMessage(const std::string& text) {
  platform::Ui().ShowMessage(text, {}, platform::MessageIcon::Error);
  throw UserAbort{};
}

bool RunCommand(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const UserAbort&) {
    return false;
  }
}
