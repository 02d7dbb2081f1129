// Arbitrary bytes as a ".qor" database: the reader must either load them or
// report a damaged file, never crash, hang or allocate without bound. What
// it accepts must store, load again and store as the same bytes: a save
// loses nothing of what the first save wrote.
#include "database/ZAVDoc.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

FuzzVerdict LoadAndReload(const std::uint8_t* data, std::size_t size) {
  CZAVDoc doc;
  if (doc.LoadFromBytes(data, size) != CZAVDoc::LoadResult::Ok) return FuzzVerdict::Rejected;
  const auto again = doc.StoreToBytes();
  CZAVDoc reread;
  if (reread.LoadFromBytes(again.data(), again.size()) != CZAVDoc::LoadResult::Ok) return FuzzVerdict::Violated;
  return reread.StoreToBytes() == again ? FuzzVerdict::Accepted : FuzzVerdict::Violated;
}

}  // namespace

FuzzVerdict FuzzArchiveReader(const std::uint8_t* data, std::size_t size) {
  return RunWithDumpsInScratch([&] { return LoadAndReload(data, size); });
}
