#include "database/PictureList.h"

#include <algorithm>

void SplitList(const std::string& text, std::vector<std::string>& names) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto semicolon = std::min(text.find(';', start), text.size());
    if (semicolon > start) names.push_back(text.substr(start, semicolon - start));
    start = semicolon + 1;
  }
}
