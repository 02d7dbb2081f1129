// Feeds arbitrary bytes to the database reader: it must either load or
// report a damaged file, never crash, hang or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "database/ZAVDoc.h"

namespace {

// The load writes debug dumps into the current folder; keep them together.
bool EnterScratchFolder() {
  std::error_code ignored;
  const auto folder = std::filesystem::temp_directory_path(ignored) / "qor-archive-fuzz";
  std::filesystem::create_directories(folder, ignored);
  std::filesystem::current_path(folder, ignored);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool entered = EnterScratchFolder();
  (void)entered;
  CZAVDoc doc;
  if (doc.LoadFromBytes(data, size) == CZAVDoc::LoadResult::Ok) {
    // What was accepted must store and load again.
    const auto again = doc.StoreToBytes();
    CZAVDoc reread;
    if (reread.LoadFromBytes(again.data(), again.size()) != CZAVDoc::LoadResult::Ok) __builtin_trap();
  }
  return 0;
}
