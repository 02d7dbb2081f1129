#include "fuzz/FuzzTargets.h"

#include <array>

namespace {

constexpr std::array kTargets{
    FuzzTarget{"archive", FuzzArchiveReader}, FuzzTarget{"header", FuzzDatabaseHeader},
    FuzzTarget{"region", FuzzRegionFile},     FuzzTarget{"levels", FuzzLevelsFile},
    FuzzTarget{"link", FuzzLinkActions},      FuzzTarget{"menuclip", FuzzMenuClipboard},
    FuzzTarget{"merge", FuzzDatabaseMerge},   FuzzTarget{"xmlwriter", FuzzXmlWriter},
};

}  // namespace

std::span<const FuzzTarget> FuzzTargets() { return kTargets; }

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  for (const auto& target : kTargets)
    if (target.name == name) return &target;
  return nullptr;
}
