// Arbitrary bytes as a ".qor" database: the reader must either load them or
// report a damaged file, never crash, hang or allocate without bound; what
// it accepts must store and load again.
#include "database/XmlDump.h"
#include "database/ZAVDoc.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

FuzzVerdict LoadAndReload(const std::uint8_t* data, std::size_t size) {
  CZAVDoc doc;
  if (doc.LoadFromBytes(data, size) != CZAVDoc::LoadResult::Ok) return FuzzVerdict::Rejected;
  const auto again = doc.StoreToBytes();
  CZAVDoc reread;
  const bool reloads = reread.LoadFromBytes(again.data(), again.size()) == CZAVDoc::LoadResult::Ok;
  return reloads ? FuzzVerdict::Accepted : FuzzVerdict::Violated;
}

}  // namespace

FuzzVerdict FuzzArchiveReader(const std::uint8_t* data, std::size_t size) {
  FuzzVerdict verdict;
  {
    const InScratchFolder dumpsGoHere;  // every load and store writes an XML dump
    verdict = LoadAndReload(data, size);
  }
  // Every load and store starts a dump on its own thread; a run that ended
  // before it would make the leak check report the dump's memory.
  WaitForXmlDump();
  return verdict;
}
