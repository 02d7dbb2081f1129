// Reading and writing a database of 32000 items x 16000 attributes (about
// 64 MB of bits plus the records).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/GeneratedDatabase.h"
#include "database/Archive.h"

namespace {

constexpr int kItems = 32000;
constexpr int kAttributes = 16000;

CZAVDoc& LargeDatabase() {
  static auto doc = MakeGeneratedDatabase(kItems, kAttributes, 400, 0.1, 42);
  return *doc;
}

const std::vector<std::uint8_t>& LargeFile() {
  static const std::vector<std::uint8_t> bytes = [] {
    CArchive ar;
    LargeDatabase().StoreFields(ar);
    return ar.TakeBytes();
  }();
  return bytes;
}

// The load and store write debug dumps into the current folder.
void EnterScratchFolder() {
  static const bool entered = [] {
    const auto folder = std::filesystem::temp_directory_path() / "qor-archive-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return true;
  }();
  (void)entered;
}

void BM_WriteArchive(benchmark::State& state) {
  CZAVDoc& doc = LargeDatabase();
  std::size_t bytes = 0;
  for (auto _ : state) {
    CArchive ar;
    doc.StoreFields(ar);
    auto out = ar.TakeBytes();
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_WriteArchive)->Unit(benchmark::kMillisecond);

void BM_ReadArchive(benchmark::State& state) {
  const auto& bytes = LargeFile();
  for (auto _ : state) {
    CZAVDoc doc;
    CArchive ar(bytes.data(), bytes.size());
    if (doc.LoadStoredFields(ar) != CZAVDoc::LoadResult::Ok) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.m_dataBlocks.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_ReadArchive)->Unit(benchmark::kMillisecond);

// Reading with the build that follows it (item objects, name sort and the
// name dumps), without the XML dump.
void BM_ReadAndBuild(benchmark::State& state) {
  EnterScratchFolder();
  const auto& bytes = LargeFile();
  for (auto _ : state) {
    CZAVDoc doc;
    CArchive ar(bytes.data(), bytes.size());
    if (doc.LoadStoredFields(ar) != CZAVDoc::LoadResult::Ok) state.SkipWithError("load failed");
    doc.BuildAfterLoad();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_ReadAndBuild)->Unit(benchmark::kMillisecond);

// The whole load and store as the calling thread sees it, on a database with
// fewer attributes (the XML dump itself is written on its own thread).
constexpr int kDumpAttributes = 500;

CZAVDoc& DumpedDatabase() {
  static auto doc = MakeGeneratedDatabase(kItems, kDumpAttributes, 40, 0.1, 42);
  return *doc;
}

void BM_LoadDatabase(benchmark::State& state) {
  EnterScratchFolder();
  CArchive ar;
  DumpedDatabase().StoreFields(ar);
  const auto bytes = ar.TakeBytes();
  for (auto _ : state) {
    CZAVDoc doc;
    if (doc.LoadFromBytes(bytes.data(), bytes.size()) != CZAVDoc::LoadResult::Ok) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond);

void BM_StoreDatabase(benchmark::State& state) {
  EnterScratchFolder();
  CZAVDoc& doc = DumpedDatabase();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = doc.StoreToBytes().size();
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_StoreDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
