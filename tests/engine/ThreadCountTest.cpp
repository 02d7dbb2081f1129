// The process never has more threads running, or waiting to run, than the
// CPUs it may use: the opening of a key, with the XML dump it starts, is
// watched in a child process pinned to two CPUs, its threads' states read
// from the system while it runs.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "bench/GeneratedDatabase.h"
#include "database/Archive.h"
#include "database/ParallelFor.h"
#include "database/ReadBeside.h"
#include "database/XmlDump.h"
#include "database/ZAVDoc.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kKeyVariable = "QOR_THREAD_COUNT_KEY";

// Threads of this process that run or wait for a CPU, `except` left out.
int ThreadsRunning(pid_t except) {
  int running = 0;
  DIR* tasks = ::opendir("/proc/self/task");
  if (!tasks) return 0;
  while (const dirent* entry = ::readdir(tasks)) {
    if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == except) continue;
    std::ifstream stat(std::string("/proc/self/task/") + entry->d_name + "/stat");
    std::string line;
    std::getline(stat, line);
    // The state follows the command name, which is in parentheses.
    const std::size_t close = line.rfind(')');
    if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'R') ++running;
  }
  ::closedir(tasks);
  return running;
}

// Watches the threads from a thread of its own, which is left out of the count.
class ThreadWatch {
 public:
  ThreadWatch()
      : m_watcher([this] {
          const pid_t self = ::gettid();
          while (!m_stop) m_most = std::max(m_most.load(), ThreadsRunning(self));
        }) {}
  ~ThreadWatch() { Stop(); }
  int Stop() {
    m_stop = true;
    if (m_watcher.joinable()) m_watcher.join();
    return m_most;
  }

 private:
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_most{0};
  std::thread m_watcher;
};

// The caller's own part keeps its CPU busy with a loop of the pool while
// the file is read on the pool.
class BusyBesideRead final : public ReadBeside {
 public:
  void WhileReading(const std::function<bool()>&) override {
    std::vector<long long> sums(worker_pool::AllowedCpus(), 0);
    ParallelFor(ChunkPlan{1 << 22, (1 << 22) / static_cast<int>(sums.size()), static_cast<int>(sums.size())},
                [&](int begin, int end, int chunk) {
                  for (int i = begin; i < end; ++i) sums[chunk] += i % 7;
                });
  }
};

// Run only inside the pinned child that the test below starts.
TEST(ThreadCountChild, OpensAndTheirDumpsRunNoMoreThreadsThanCpus) {
  const char* key = std::getenv(kKeyVariable);
  if (!key) GTEST_SKIP() << "runs in the pinned child of ThreadCount";
  ThreadWatch watch;
  for (int round = 0; round < 4; ++round) {
    auto doc = std::make_unique<CZAVDoc>();
    BusyBesideRead busy;
    ASSERT_TRUE(doc->OnOpenDocument(key, busy));
    doc->UpdateAttributeCounts();
    doc.reset();
  }
  WaitForXmlDump();
  EXPECT_LE(watch.Stop(), worker_pool::AllowedCpus());
}

TEST(ThreadCount, AnOpenAndItsDumpRunNoMoreThreadsThanTheCpusAllowed) {
  cpu_set_t allowed;
  ASSERT_EQ(::sched_getaffinity(0, sizeof allowed, &allowed), 0);
  if (CPU_COUNT(&allowed) < 2) GTEST_SKIP() << "needs two CPUs to pin the child to";
  cpu_set_t two;
  CPU_ZERO(&two);
  for (int cpu = 0; cpu < CPU_SETSIZE && CPU_COUNT(&two) < 2; ++cpu)
    if (CPU_ISSET(cpu, &allowed)) CPU_SET(cpu, &two);

  const fs::path folder = fs::temp_directory_path() / ("qor-thread-count-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path key = folder / "key.qor";
  {
    CArchive ar;
    MakeGeneratedDatabase(8000, 2000, 250, 0.05, 5)->StoreFields(ar);
    const auto bytes = ar.TakeBytes();
    std::ofstream(key, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // Made before the fork: the child only makes system calls before its exec.
  const std::string variable = std::string(kKeyVariable) + "=" + key.string();
  const std::string program = fs::read_symlink("/proc/self/exe").string();
  const std::string folderName = folder.string();
  char filter[] = "--gtest_filter=ThreadCountChild.*";
  char* const argv[] = {const_cast<char*>(program.c_str()), filter, nullptr};
  char* const envp[] = {const_cast<char*>(variable.c_str()), nullptr};
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::sched_setaffinity(0, sizeof two, &two) == 0 && ::chdir(folderName.c_str()) == 0)
      ::execve(program.c_str(), argv, envp);
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the pinned child ran more threads than its CPUs";
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
