// The machine's limits for the engine's work, measured inside a benchmark
// just before the figure they judge: on a shared virtual machine the memory's
// speed moves from minute to minute, so a figure means something only beside
// a limit taken on the same cores at the same time. Each limit is the
// simplest loop that does no more than the work must: one stream of the
// matrix, one copy of it, the marked words of every row read with an exit at
// the first mismatch, one sized read of a file. Each runs with one thread and
// with one thread per allowed CPU, and the faster counts.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "database/BitMatrix.h"
#include "database/WorkerPool.h"
#include "database/ZAVDoc.h"

namespace hardware_limits {

using Clock = std::chrono::steady_clock;

inline volatile std::uint64_t sink;

template <class F>
double MedianMs(int reps, F f) {
  std::vector<double> t;
  for (int r = 0; r < reps; ++r) {
    const auto a = Clock::now();
    f();
    t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// body(begin, end) over [0, n) in `threads` contiguous chunks on threads of
// their own, the first on this one; the sum of the results.
template <class Body>
long long Chunks(long long n, int threads, Body body) {
  if (threads <= 1) return body(0, n);
  std::vector<long long> part(threads, 0);
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t)
    workers.emplace_back([&, t] { part[t] = body(n * t / threads, n * (t + 1) / threads); });
  part[0] = body(0, n / threads);
  for (auto& w : workers) w.join();
  long long s = 0;
  for (long long v : part) s += v;
  return s;
}

template <class Run>  // Run(threads)
double BestOfOneAndAll(int reps, Run run) {
  const double one = MedianMs(reps, [&] { run(1); });
  const double all = MedianMs(reps, [&] { run(worker_pool::AllowedCpus()); });
  return std::min(one, all);
}

// A matrix of the given size, touched once, kept for every later limit.
inline const std::vector<std::uint64_t>& Matrix(std::size_t bytes) {
  static std::map<std::size_t, std::vector<std::uint64_t>> made;
  auto& m = made[bytes];
  if (m.empty()) {
    m.resize(bytes / 8);
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = i * 0x9E3779B97F4A7C15ull;
  }
  return m;
}

inline std::uint64_t SumRange(const std::uint64_t* p, std::size_t n) {
  std::uint64_t s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) s0 += p[i], s1 += p[i + 1], s2 += p[i + 2], s3 += p[i + 3];
  for (; i < n; ++i) s0 += p[i];
  return s0 + s1 + s2 + s3;
}

// One read of every word of a matrix of `bytes`.
inline double StreamMs(std::size_t bytes) {
  const auto& m = Matrix(bytes);
  const long long lines = static_cast<long long>(m.size() / 8);
  return BestOfOneAndAll(9, [&](int threads) {
    sink = static_cast<std::uint64_t>(Chunks(lines, threads, [&](long long a, long long b) {
      return static_cast<long long>(SumRange(m.data() + a * 8, static_cast<std::size_t>(b - a) * 8));
    }));
  });
}

// One copy of a matrix of `bytes` into memory written before.
inline double CopyMs(std::size_t bytes) {
  const auto& m = Matrix(bytes);
  static std::vector<std::uint64_t> copy;
  copy.assign(m.size(), 1);
  const long long pieces = static_cast<long long>(m.size() / 512);
  return BestOfOneAndAll(5, [&](int threads) {
    Chunks(pieces, threads, [&](long long a, long long b) {
      std::memcpy(copy.data() + a * 512, m.data() + a * 512, static_cast<std::size_t>(b - a) * 512 * 8);
      return 0LL;
    });
    sink = copy[12345 % copy.size()];
  });
}

// Drops a file's pages from the page cache, so that its next read comes
// from the disk.
inline void DropFromPageCache(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

// The file read once with one sized read into a new buffer. The buffer is
// memory fresh from the system, as a program just started gets it: memory
// the process had used and freed before is already mapped, and a read into
// it costs a fraction of one into fresh pages. `uncached` drops the file
// from the page cache before each read, for a figure whose file came from
// the disk.
inline double SizedReadMs(const std::string& path, bool uncached = false) {
  std::vector<double> t;
  for (int r = 0; r < 5; ++r) {
    if (uncached) DropFromPageCache(path);
    const auto a = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
      if (fd >= 0) ::close(fd);
      return 0;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    void* room = ::mmap(nullptr, size + 1, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (room == MAP_FAILED) {
      ::close(fd);
      return 0;
    }
    char* buf = static_cast<char*>(room);
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n = ::read(fd, buf + got, size - got);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    sink = size ? static_cast<unsigned char>(buf[size - 1]) : 0;
    ::munmap(room, size + 1);
    t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

// Level 0 without missing data, the least any evaluation reads: per item the
// words that hold a mark or an attribute of a marked menu, item after item,
// each item left at its first mismatch. Its own copy of the matrix, rows
// side by side; the words and masks worked out beforehand.
class EarlyExitRead {
 public:
  explicit EarlyExitRead(const CZAVDoc& doc) {
    const CBitMatrix layout(doc.AttributeCount(), doc.ItemCount());
    m_items = doc.ItemCount();
    m_words = layout.wordsPerRow();
    m_rows.assign(std::size_t{m_words} * m_items, 0);
    for (int i = 0; i < m_items; ++i)
      if (const DWORD* row = layout.GetRowWordsIn(i, doc.m_dataBlocks))
        std::memcpy(&m_rows[std::size_t{m_words} * i], row, m_words * sizeof(DWORD));
    m_states.assign(m_items, 0);
    MakePlan(doc);
  }

  double Ms() {
    return BestOfOneAndAll(51, [&](int threads) {
      sink = static_cast<std::uint64_t>(Chunks(m_items, threads, [&](long long a, long long b) { return Run(a, b); }));
    });
  }

 private:
  struct WordMask {
    int word;
    DWORD mask;
  };
  struct NoWord {
    int word;
    DWORD no, others;
  };

  static std::vector<WordMask> Masks(const std::vector<int>& attributes) {
    std::map<int, DWORD> by;
    for (int a : attributes) by[a / 32] |= DWORD{1} << (a % 32);
    std::vector<WordMask> out;
    for (auto& [w, m] : by) out.push_back({w, m});
    return out;
  }

  void MakePlan(const CZAVDoc& doc) {
    std::map<int, DWORD> yes, never;
    std::set<int> orMenus, noMenus;
    std::vector<int> only;
    for (int a = 0; a < doc.AttributeCount(); ++a) {
      const BYTE m = doc.GetAttributeMark(a);
      const WORD menu = doc.GetAttribute(a).menuIndex;
      if (m == MARK_CLEAR || menu >= doc.MenuCount()) continue;
      if (m == MARK_YES || m == MARK_ONLY) yes[a / 32] |= DWORD{1} << (a % 32);
      if (m == MARK_NEVER) never[a / 32] |= DWORD{1} << (a % 32);
      if (m == MARK_ONLY) only.push_back(a);
      if (m == MARK_OR) orMenus.insert(menu);
      if (m == MARK_NO) noMenus.insert(menu);
    }
    for (auto& [w, m] : yes) m_yes.push_back({w, m});
    for (auto& [w, m] : never) m_never.push_back({w, m});
    auto inMenu = [&](int a, WORD menu) { return doc.GetAttribute(a).menuIndex == menu; };
    for (int a : only) {
      std::vector<int> others;
      for (WORD b : doc.GetMenu(doc.GetAttribute(a).menuIndex).children)
        if (b != a && inMenu(b, doc.GetAttribute(a).menuIndex)) others.push_back(b);
      m_only.push_back(Masks(others));
    }
    for (WORD menu : orMenus) {
      std::vector<int> group;
      for (WORD b : doc.GetMenu(menu).children)
        if (inMenu(b, menu) && doc.GetAttributeMark(b) == MARK_OR) group.push_back(b);
      if (group.size() >= 2) m_or.push_back(Masks(group));
    }
    for (WORD menu : noMenus) {
      std::map<int, NoWord> by;
      for (WORD b : doc.GetMenu(menu).children) {
        if (!inMenu(b, menu)) continue;
        auto& e = by.try_emplace(b / 32, NoWord{b / 32, 0, 0}).first->second;
        (doc.GetAttributeMark(b) == MARK_NO ? e.no : e.others) |= DWORD{1} << (b % 32);
      }
      std::vector<NoWord> out;
      for (auto& [w, e] : by) out.push_back(e);
      m_no.push_back(out);
    }
  }

  long long Run(long long i0, long long i1) {
    long long remaining = 0;
    for (long long i = i0; i < i1; ++i) {
      const DWORD* row = &m_rows[std::size_t{m_words} * static_cast<std::size_t>(i)];
      bool ok = true;
      for (auto& e : m_yes)
        if (e.mask & ~row[e.word]) {
          ok = false;
          break;
        }
      if (ok)
        for (auto& e : m_never)
          if (row[e.word] & e.mask) {
            ok = false;
            break;
          }
      if (ok)
        for (auto& o : m_only) {
          for (auto& e : o)
            if (row[e.word] & e.mask) {
              ok = false;
              break;
            }
          if (!ok) break;
        }
      if (ok)
        for (auto& group : m_or) {
          bool any = false;
          for (auto& e : group)
            if (row[e.word] & e.mask) {
              any = true;
              break;
            }
          if (!any) {
            ok = false;
            break;
          }
        }
      if (ok)
        for (auto& group : m_no) {
          DWORD acc = 0;
          bool passed = false;
          for (auto& e : group) {
            if (row[e.word] & e.others) {
              passed = true;
              break;
            }
            acc |= row[e.word] & e.no;
          }
          if (!passed && acc) {
            ok = false;
            break;
          }
        }
      m_states[static_cast<std::size_t>(i)] = ok;
      remaining += ok;
    }
    return remaining;
  }

  int m_items = 0;
  std::size_t m_words = 0;
  std::vector<DWORD> m_rows;
  std::vector<unsigned char> m_states;
  std::vector<WordMask> m_yes, m_never;
  std::vector<std::vector<WordMask>> m_only, m_or;
  std::vector<std::vector<NoWord>> m_no;
};

// Times the iterations of a benchmark by the wall clock, and reports the
// limit beside them: "limit_ms" and "ratio", the iteration's mean time over
// the limit.
class RatioClock {
 public:
  explicit RatioClock(double limitMs) : m_limitMs(limitMs) {}
  void Start() { m_start = Clock::now(); }
  void Stop() { m_total += std::chrono::duration<double, std::milli>(Clock::now() - m_start).count(), ++m_count; }
  void Report(benchmark::State& state, const std::string& suffix = "") const {
    state.counters["limit" + suffix + "_ms"] = m_limitMs;
    state.counters["ratio" + suffix] = m_count && m_limitMs > 0 ? m_total / m_count / m_limitMs : 0;
  }

 private:
  double m_limitMs;
  Clock::time_point m_start;
  double m_total = 0;
  long long m_count = 0;
};

}  // namespace hardware_limits
