// Start of the program on the key at the size limits (32000 items x 16000
// attributes), timed from the launch of its process until it reports its
// first page shown: what a user waits for after opening a key from the file
// manager. "cold" drops the key file from the page cache before each launch
// (the program's own files stay cached); "warm" leaves it cached.
// Beside each launch, just before it, the start on the sample key and one
// sized read of the limit key's file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/GeneratedDatabase.h"
#include "bench/HardwareLimits.h"
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

// The sample key's folder, copied where the program's dumps may go.
const fs::path& SampleKeyFolder() {
  static const fs::path folder = [] {
    const fs::path made = fs::temp_directory_path() / "qor-start-bench-sample";
    fs::remove_all(made);
    fs::copy(fs::path(QOR_SAMPLE_KEY).parent_path(), made, fs::copy_options::recursive);
    return made;
  }();
  return folder;
}

struct Launch {
  bool shown = false;
  double seconds = 0;
  long long fromMainMs = 0;
};

// Starts the program on the key in its folder and waits for its first page;
// the dump it leaves is removed, untimed.
Launch StartOn(const fs::path& folder, const std::string& key, bool cold) {
  const std::string command = "cd '" + folder.string() +
                              "' && QOR_MEASURE_STARTUP=1 QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "
                              "QTWEBENGINE_CHROMIUM_FLAGS='--no-sandbox --disable-gpu' '" QOR_PROGRAM "' '" +
                              key + "' 2>/dev/null";
  if (cold) hardware_limits::DropFromPageCache((folder / key).string());
  Launch launch;
  const auto start = std::chrono::steady_clock::now();
  FILE* program = ::popen(command.c_str(), "r");
  if (!program) return launch;
  char line[256];
  while (!launch.shown && std::fgets(line, sizeof line, program))
    launch.shown = std::sscanf(line, "first page shown after %lld ms", &launch.fromMainMs) == 1;
  launch.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // The program ends by itself once it has shown the page; its XML dump
  // is finished before it does.
  ::pclose(program);
  // Its gigabytes would still be on their way to the disk during the next
  // launch, which a user's start never waits for.
  fs::remove(folder / "TEST.qorx");
  return launch;
}

// The start on the limit key is judged beside two measures taken with it,
// in every iteration just before it: the start on the sample key of
// nineteen birds (the program's own cost, whatever the key) and one sized
// read of the limit key's file (its bytes' cost on this machine at that
// moment), into fresh memory as the started program reads it, and from the
// disk when the starts are cold. Taken side by side, all three meet the
// same load of a shared machine. The ratio is the limit key's starts over
// the sample's plus twice those reads.
void BM_StartToFirstPage(benchmark::State& state) {
  const fs::path& folder = LimitKeyFolder();
  const bool cold = state.range(0) != 0;
  double fromMain = 0, total = 0, sampleTotal = 0, readTotal = 0;
  for (auto _ : state) {
    sampleTotal += StartOn(SampleKeyFolder(), "birds.qor", cold).seconds * 1000;
    readTotal += hardware_limits::SizedReadMs((folder / "limit.qor").string(), cold);
    const Launch launch = StartOn(folder, "limit.qor", cold);
    if (!launch.shown) {
      state.SkipWithError("no first page was reported");
      break;
    }
    state.SetIterationTime(launch.seconds);
    total += launch.seconds * 1000;
    fromMain = static_cast<double>(launch.fromMainMs);
  }
  const double runs = std::max<double>(1, static_cast<double>(state.iterations()));
  const double allowed = (sampleTotal + 2 * readTotal) / runs;
  state.counters["fromMainMs"] = fromMain;
  state.counters["sample_ms"] = sampleTotal / runs;
  state.counters["read_ms"] = readTotal / runs;
  state.counters["allowed_ms"] = allowed;
  state.counters["ratio"] = state.iterations() && allowed > 0 ? total / runs / allowed : 0;
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
