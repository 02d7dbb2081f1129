#include "reports/PageBuffer.h"

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

void ResetPageBuffer() { ReportPageBuffer().assign(" "); }

void EnsurePageRoom() {
  std::string& buffer = ReportPageBuffer();
  if (buffer.capacity() - buffer.size() >= kMinimumRoom) return;
  std::string grown;
  grown.reserve(buffer.capacity() * 2);
  grown.push_back(' ');
  grown.append(buffer);
  buffer.swap(grown);
}
