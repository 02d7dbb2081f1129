// Arbitrary bytes as a database's levels file (a profile file of four
// names): the names are read, saved and read again, and must come back as
// they were, apart from what the profile rules themselves take away
// (a value in matching quotes loses them).
#include <array>
#include <string>

#include "database/LevelNames.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

using Names = std::array<std::string, 4>;

Names NamesOf(const LevelNames& levels) { return {levels.common, levels.family, levels.genus, levels.species}; }

bool IsQuoted(const std::string& value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

bool SurvivedSave(const Names& before, const Names& after) {
  for (std::size_t k = 0; k < before.size(); ++k)
    if (before[k] != after[k] && !IsQuoted(before[k])) return false;
  return true;
}

}  // namespace

FuzzVerdict FuzzLevelsFile(const std::uint8_t* data, std::size_t size) {
  LevelNames levels;
  levels.SetFilePath((FuzzScratch::Get().Path() / "levels.qor").string());
  FuzzScratch::Get().Write("levels.qor.levels.dat", data, size);
  levels.Load();
  const Names read = NamesOf(levels);
  if (!levels.Save()) return FuzzVerdict::Violated;  // the scratch folder is writable
  levels.Load();
  if (!SurvivedSave(read, NamesOf(levels))) return FuzzVerdict::Violated;
  const bool named = read != Names{"Common", "Family", "Genus", "Species"};
  return named ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}
