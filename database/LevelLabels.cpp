#include "database/LevelLabels.h"

#include "database/LevelNames.h"
#include "database/ZAVDoc.h"

std::string LevelLabel(const LevelNames* names, Level level) {
  const bool custom = names && names->inUse;
  switch (level) {
    case Level::Common:
      return custom ? names->common : "Common";
    case Level::Family:
      return custom ? names->family : "Family";
    case Level::Genus:
      return custom ? names->genus : "Genus";
    case Level::Species:
      break;
  }
  return custom ? names->species : "Species";
}

std::string CZAVDoc::GetCommonLabel() const { return LevelLabel(m_levelNames.get(), Level::Common); }
std::string CZAVDoc::GetFamilyLabel() const { return LevelLabel(m_levelNames.get(), Level::Family); }
std::string CZAVDoc::GetGenusLabel() const { return LevelLabel(m_levelNames.get(), Level::Genus); }
std::string CZAVDoc::GetSpeciesLabel() const { return LevelLabel(m_levelNames.get(), Level::Species); }
