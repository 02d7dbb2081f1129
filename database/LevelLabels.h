// The labels of the four classification levels: the database's own level
// names while they are in use, else the built-in ones.
#pragma once

#include <string>

class LevelNames;

enum class Level { Common, Family, Genus, Species };

// A null names object counts as "not in use".
std::string LevelLabel(const LevelNames* names, Level level);
