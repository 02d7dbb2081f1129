// The XML dump "TEST.qorx" of a database of 32000 items x 16000 attributes,
// and the open of that database as the calling thread sees it.
#include <benchmark/benchmark.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <filesystem>
#include <fstream>

#include "bench/GeneratedDatabase.h"
#include "bench/HardwareLimits.h"
#include "database/Archive.h"
#include "database/FileBytes.h"
#include "database/XmlDump.h"

namespace {

constexpr int kItems = 32000;
constexpr int kAttributes = 16000;

CZAVDoc& LargeDatabase() {
  static auto doc = MakeGeneratedDatabase(kItems, kAttributes, 2000, 0.10, 42);
  return *doc;
}

// The dumps are written into the current folder.
void EnterScratchFolder() {
  static const bool entered = [] {
    const auto folder = std::filesystem::temp_directory_path() / "qor-xml-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return true;
  }();
  (void)entered;
}

// The whole dump, until the file is complete.
void BM_XmlDumpToFile(benchmark::State& state) {
  EnterScratchFolder();
  CZAVDoc& doc = LargeDatabase();
  for (auto _ : state) {
    doc.WriteXmlDump();
    WaitForXmlDump();
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size("TEST.qorx")) / 1e6;
}
BENCHMARK(BM_XmlDumpToFile)->Unit(benchmark::kMillisecond)->Iterations(1);

// The text alone, without the file.
void BM_XmlDumpRender(benchmark::State& state) {
  const XmlDumpSnapshot snapshot(LargeDatabase());
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    snapshot.Render([&bytes](std::string_view piece) { return bytes += piece.size(), true; }, std::size_t{8} << 20);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_XmlDumpRender)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part of the dump the opening or saving thread waits for.
void BM_XmlDumpSnapshot(benchmark::State& state) {
  CZAVDoc& doc = LargeDatabase();
  for (auto _ : state) benchmark::DoNotOptimize(XmlDumpSnapshot(doc));
}
BENCHMARK(BM_XmlDumpSnapshot)->Unit(benchmark::kMillisecond);

// The open of the database file as the program runs it before its first
// page: the file read, the load and build and the states and counts of a
// fresh open. The dump, left until then, is written untimed, and removed.
const std::string& LargeDatabaseFile() {
  static const std::string path = [] {
    EnterScratchFolder();
    std::string written = (std::filesystem::current_path() / "limit.qor").string();
    CArchive ar;
    LargeDatabase().StoreFields(ar);
    const auto bytes = ar.TakeBytes();
    std::ofstream(written, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return written;
  }();
  return path;
}

// Memory freed by the benchmark goes back to the system, so that each open
// fills fresh memory, as the program's first open does: memory the process
// had already touched would spare it a fault per page.
void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

// Judged by one sized read of the file into fresh memory, measured just before.
void BM_OpenLargeDatabase(benchmark::State& state) {
  const std::string& path = LargeDatabaseFile();
  hardware_limits::RatioClock clock(hardware_limits::SizedReadMs(path));
  ReturnFreedMemory();
  for (auto _ : state) {
    clock.Start();
    auto doc = std::make_unique<CZAVDoc>();
    doc->DeferXmlDumpOfLoad();
    if (!doc->OnOpenDocument(path)) state.SkipWithError("open failed");
    clock.Stop();
    state.PauseTiming();
    doc.reset();
    WaitForXmlDump();
    // Gigabytes of the dump just written would still be on their way to the
    // disk during the next open, which a user's first open never waits for.
    std::filesystem::remove("TEST.qorx");
    ReturnFreedMemory();
    state.ResumeTiming();
  }
  clock.Report(state, "_read");
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_OpenLargeDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

// The file read alone, the floor of every open: into fresh memory, as the
// open reads it.
void BM_ReadLargeDatabaseFile(benchmark::State& state) {
  const std::string& path = LargeDatabaseFile();
  std::size_t size = 0;
  std::string error;
  for (auto _ : state) {
    FileBytes bytes;
    if (!bytes.Read(path, error)) state.SkipWithError("read failed");
    size = bytes.size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
}
BENCHMARK(BM_ReadLargeDatabaseFile)->Unit(benchmark::kMillisecond);

}  // namespace
