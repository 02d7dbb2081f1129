// Start of the program on the key at the size limits (32000 items x 16000
// attributes), timed from the launch of its process until it reports its
// first page shown: what a user waits for after opening a key from the file
// manager. "cold" drops the key file from the page cache before each launch
// (the program's own files stay cached); "warm" leaves it cached.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>

#include "bench/GeneratedDatabase.h"
#include "database/Archive.h"

namespace {

namespace fs = std::filesystem;

// The key file and the folder the program runs in (its dumps go there).
const fs::path& LimitKeyFolder() {
  static const fs::path folder = [] {
    const fs::path made = fs::temp_directory_path() / "qor-start-bench";
    fs::create_directories(made);
    CArchive ar;
    MakeGeneratedDatabase(32000, 16000, 2000, 0.10, 42)->StoreFields(ar);
    const auto bytes = ar.TakeBytes();
    std::ofstream(made / "limit.qor", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return made;
  }();
  return folder;
}

void DropFromPageCache(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

void BM_StartToFirstPage(benchmark::State& state) {
  const fs::path& folder = LimitKeyFolder();
  const bool cold = state.range(0) != 0;
  const std::string command = "cd '" + folder.string() +
                              "' && QOR_MEASURE_STARTUP=1 QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "
                              "QTWEBENGINE_CHROMIUM_FLAGS='--no-sandbox --disable-gpu' '" QOR_PROGRAM
                              "' limit.qor 2>/dev/null";
  double fromMain = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (cold) DropFromPageCache(folder / "limit.qor");
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    FILE* program = ::popen(command.c_str(), "r");
    if (!program) {
      state.SkipWithError("the program did not start");
      break;
    }
    char line[256];
    bool shown = false;
    long long ms = 0;
    while (!shown && std::fgets(line, sizeof line, program)) shown = std::sscanf(line, "first page shown after %lld ms", &ms) == 1;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(elapsed);
    fromMain = static_cast<double>(ms);
    // The program ends by itself once it has shown the page; its XML dump
    // is finished before it does.
    // Its gigabytes would still be on their way to the disk during the next
    // launch, which a user's start never waits for.
    state.PauseTiming();
    ::pclose(program);
    fs::remove(folder / "TEST.qorx");
    state.ResumeTiming();
    if (!shown) {
      state.SkipWithError("no first page was reported");
      break;
    }
  }
  state.counters["fromMainMs"] = fromMain;
}
BENCHMARK(BM_StartToFirstPage)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("cold")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
