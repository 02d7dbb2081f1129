// Arbitrary bytes as the second database of a merge into a fixed first one
// (the engine tests' five items), through the merge command's own entry.
// A merge that writes its output must write a database that loads again;
// a second database that loads must, merged with itself, add no item.
#include <filesystem>
#include <string>

#include "EngineFixtures.h"
#include "database/DatabaseMergeRun.h"
#include "database/ZAVDoc.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

bool Opens(const std::string& path) {
  CZAVDoc doc;
  return doc.OnOpenDocument(path);
}

FuzzVerdict MergeIntoFiveItems(const std::uint8_t* data, std::size_t size) {
  const FuzzScratch& scratch = FuzzScratch::Get();
  const std::string first = (scratch.Path() / "first.qor").string();
  FiveItems five;
  if (!five->OnSaveDocument(first)) return FuzzVerdict::Violated;
  const std::string second = scratch.Write("second.qor", data, size).string();
  // As the merge opens it: an empty file is no database.
  const bool secondLoads = Opens(second);

  // An output left by the input before would be kept unless the user
  // agreed to replace it: every input starts without one.
  const std::string merged = (scratch.Path() / "merged.qor").string();
  std::error_code ignored;
  std::filesystem::remove(merged, ignored);
  const MergeRunResult run = RunDatabaseMerge(first, second, merged);
  if (run.written && (!secondLoads || !Opens(merged))) return FuzzVerdict::Violated;
  if (!secondLoads) return FuzzVerdict::Rejected;

  const std::string itself = (scratch.Path() / "itself.qor").string();
  std::filesystem::remove(itself, ignored);
  const MergeRunResult self = RunDatabaseMerge(second, second, itself);
  if (self.written && (self.counts.itemsAdded != 0 || !Opens(itself))) return FuzzVerdict::Violated;
  return run.written ? FuzzVerdict::Accepted : FuzzVerdict::Rejected;
}

}  // namespace

FuzzVerdict FuzzDatabaseMerge(const std::uint8_t* data, std::size_t size) {
  return RunWithDumpsInScratch([&] { return MergeIntoFiveItems(data, size); });
}
