// The pieces shared by everything that gives an item its names: a new item,
// a duplicated one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/Records.h"

// Puts text into a genus or family table: the equal slot, else the first
// empty one that isUnused allows, else a new one at the end. Returns the slot.
int PlaceNameText(std::vector<std::string>& table, const std::string& text, const std::function<bool(int)>& isUnused);

// Inserts a name entry for the item at the position; returns the position.
int InsertNameEntry(std::vector<std::unique_ptr<CQItemname>>& names, int position, int item, const std::string& text);
