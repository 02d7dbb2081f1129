// An exporter's file filter ("Description|*.ext|Description|*.ext||":
// descriptions and patterns in pairs, each part followed by "|") as the
// file dialog's list of filters.
#pragma once

#include <string>
#include <vector>

#include "platform/Ui.h"

// An empty description ends the list (the closing "||"); pairs without a
// pattern are dropped; an empty filter gives no entry.
std::vector<platform::FileFilter> ParseExportFileFilter(const std::string& filter);
