#include "reports/PageBuffer.h"

#include <algorithm>

namespace {
constexpr std::size_t kInitialCapacity = 10000;
constexpr std::size_t kMinimumRoom = 300;
}  // namespace

std::string& ReportPageBuffer() {
  static std::string buffer = [] {
    std::string text;
    text.reserve(kInitialCapacity);
    return text;
  }();
  return buffer;
}

void ResetPageBuffer() { ReportPageBuffer().assign(1, ' '); }

void EnsurePageRoom(std::size_t needed) {
  std::string& buffer = ReportPageBuffer();
  // One more for the blank the growth puts in front.
  const std::size_t room = std::max(kMinimumRoom, needed + 1);
  if (buffer.capacity() - buffer.size() >= room) return;
  std::size_t capacity = std::max<std::size_t>(buffer.capacity(), kInitialCapacity);
  do capacity *= 2;
  while (capacity - buffer.size() < room);
  std::string grown;
  grown.reserve(capacity);
  grown.push_back(' ');
  grown.append(buffer);
  buffer.swap(grown);
}
