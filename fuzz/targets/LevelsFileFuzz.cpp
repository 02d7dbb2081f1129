// Arbitrary bytes as a database's levels file (a profile file of four
// names): the names are read, saved and read again, and must come back as
// they were.
#include <array>
#include <string>

#include "database/LevelNames.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

using Names = std::array<std::string, 4>;

Names NamesOf(const LevelNames& levels) { return {levels.common, levels.family, levels.genus, levels.species}; }

}  // namespace

FuzzVerdict FuzzLevelsFile(const std::uint8_t* data, std::size_t size) {
  LevelNames levels;
  levels.SetFilePath((FuzzScratch::Get().Path() / "levels.qor").string());
  FuzzScratch::Get().Write("levels.qor.levels.dat", data, size);
  levels.Load();
  const Names read = NamesOf(levels);
  if (!levels.Save()) return FuzzVerdict::Violated;  // the scratch folder is writable
  levels.Load();
  if (NamesOf(levels) != read) return FuzzVerdict::Violated;
  const bool named = read != Names{"Common", "Family", "Genus", "Species"};
  return named ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}
