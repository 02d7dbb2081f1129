#include "database/LevelNames.h"

#include <filesystem>

#include "database/KeyFolderWriter.h"
#include "database/ProfileFile.h"

namespace {
constexpr const char* kSection = "LevelNames";
constexpr std::size_t kMaxNameChars = 1000;

struct LevelKey {
  const char* key;
  std::string LevelNames::*name;
};
constexpr LevelKey kKeys[] = {{"Common", &LevelNames::common},
                              {"Family", &LevelNames::family},
                              {"Genus", &LevelNames::genus},
                              {"Species", &LevelNames::species}};
}  // namespace

void LevelNames::Load() {
  const ProfileFile file(path);
  for (const auto& level : kKeys) this->*level.name = file.GetString(kSection, level.key, level.key, kMaxNameChars);
}

bool LevelNames::Save() {
  std::vector<std::pair<std::string, std::string>> keysAndValues;
  for (const auto& level : kKeys) keysAndValues.emplace_back(level.key, this->*level.name);
  // The levels file is the key's own: never written through a link.
  const std::string bytes = ProfileFile(path).WithStrings(kSection, keysAndValues);
  std::string error;
  return KeyFolderWriter(std::filesystem::path(path).parent_path()).WriteFile(path, bytes, Replacing::Allowed, error);
}

bool LevelNames::Exists() const {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

void LevelNames::Remove() const {
  std::error_code error;
  if (!path.empty()) std::filesystem::remove(path, error);
}
