#include "database/RecentFileLabels.h"

#include <algorithm>

namespace {

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c != '/' && c != '\\') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(part);
      part.clear();
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The last `count` components; the whole path once they are all wanted.
std::string Tail(const std::string& path, const std::vector<std::string>& parts, std::size_t count) {
  if (count >= parts.size()) return path;
  std::string tail;
  for (std::size_t i = parts.size() - count; i < parts.size(); ++i) tail += (tail.empty() ? "" : "/") + parts[i];
  return tail;
}

}  // namespace

std::vector<std::string> RecentFileLabels(const std::vector<std::string>& paths) {
  const std::size_t n = paths.size();
  std::vector<std::vector<std::string>> parts(n);
  std::vector<std::size_t> depth(n, 1);
  std::vector<std::string> labels(n);
  for (std::size_t i = 0; i < n; ++i) {
    parts[i] = Components(paths[i]);
    labels[i] = parts[i].empty() ? paths[i] : parts[i].back();
  }
  // Every label shared with another grows by one folder until none is shared;
  // whole paths differ, so this ends.
  for (bool grew = true; grew;) {
    grew = false;
    std::vector<bool> shared(n, false);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = i + 1; j < n; ++j)
        if (labels[i] == labels[j] && paths[i] != paths[j]) shared[i] = shared[j] = true;
    for (std::size_t i = 0; i < n; ++i) {
      if (!shared[i] || labels[i] == paths[i]) continue;
      labels[i] = Tail(paths[i], parts[i], ++depth[i]);
      grew = true;
    }
  }
  return labels;
}
