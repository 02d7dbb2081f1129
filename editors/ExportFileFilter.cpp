#include "editors/ExportFileFilter.h"

#include "database/MergeTexts.h"

std::vector<platform::FileFilter> ParseExportFileFilter(const std::string& filter) {
  const std::vector<std::string> parts = SplitAtChar(filter, '|');
  std::vector<platform::FileFilter> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string& label = parts[i];
    const std::string& patterns = parts[i + 1];
    if (label.empty()) break;  // the closing "||"
    if (!patterns.empty()) filters.push_back({label, patterns});
  }
  return filters;
}
