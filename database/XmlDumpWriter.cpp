// Producing the bulk of the XML dump and writing "TEST.qorx" on a thread of
// the worker pool, so that opening or saving a large database does not wait
// for gigabytes of text, and no thread beyond the pool's runs beside the
// pool's loops.
#include <atomic>
#include <bit>
#include <map>
#include <mutex>
#include <future>

#include "database/KeyFolderWriter.h"
#include "database/WorkerPool.h"
#include "database/XmlDump.h"

namespace {

// Collects small pieces and hands them on in large ones.
class ChunkedOutput {
 public:
  ChunkedOutput(const XmlDumpSnapshot::Sink& sink, std::size_t chunkBytes) : m_sink(sink), m_chunkBytes(chunkBytes) {
    m_buffer.reserve(chunkBytes + chunkBytes / 4);
  }
  void Append(std::string_view text) { m_buffer.append(text); }
  bool FlushWhenFull() { return m_buffer.size() < m_chunkBytes || Flush(); }
  bool Flush() {
    const bool goOn = m_buffer.empty() || m_sink(m_buffer);
    m_buffer.clear();
    return goOn;
  }

 private:
  const XmlDumpSnapshot::Sink& m_sink;
  std::size_t m_chunkBytes;
  std::string m_buffer;
};

}  // namespace

bool XmlDumpSnapshot::Render(const Sink& sink, std::size_t chunkBytes) const {
  ChunkedOutput out(sink, chunkBytes);
  out.Append(m_head);
  const std::string_view texts(m_itemTexts);
  const std::string_view lines(m_lines);
  const std::size_t items = (m_itemBounds.size() - 1) / 2;
  for (std::size_t k = 0; k < items; ++k) {
    const std::size_t* bounds = &m_itemBounds[2 * k];
    out.Append(texts.substr(bounds[0], bounds[1] - bounds[0]));
    // Only the set bits are visited, lowest attribute first; the padding
    // bits past the last attribute are never listed.
    const DWORD* row = m_rows.get() + k * m_wordsPerRow;
    for (std::size_t w = 0; w < m_wordsPerRow; ++w) {
      for (DWORD bits = row[w]; bits != 0; bits &= bits - 1) {
        const std::size_t a = w * 32 + static_cast<std::size_t>(std::countr_zero(bits));
        if (a >= m_attributeCount) break;
        out.Append(lines.substr(m_lineStarts[a], m_lineStarts[a + 1] - m_lineStarts[a]));
      }
    }
    out.Append(texts.substr(bounds[1], bounds[2] - bounds[1]));
    if (!out.FlushWhenFull()) return false;
  }
  out.Append("\t</items>\n</QOR>");
  return out.Flush();
}

namespace {

constexpr std::size_t kChunkBytes = std::size_t{8} << 20;

// The one dump of the program being written. Its destructor runs at a
// normal exit and lets a dump still being written finish; the pool, built
// first, is still there then.
class DumpThread {
 public:
  DumpThread() { worker_pool::Prepare(); }
  ~DumpThread() { Wait(); }

  bool IsSuperseded(const std::filesystem::path& path, std::uint64_t event) {
    std::lock_guard lock(m_mutex);
    return IsSupersededLocked(path, event);
  }

  void Start(std::filesystem::path path, std::shared_ptr<const XmlDumpSnapshot> snapshot, std::uint64_t event) {
    std::lock_guard lock(m_mutex);
    if (IsSupersededLocked(path, event)) return;
    m_lastEvent[path] = event;
    if (m_done.valid()) {
      if (path == m_path) m_abandon = true;
      m_done.wait();
      m_done = {};
    }
    m_abandon = false;
    m_path = path;
    // The folder is opened now: the dump goes where the current folder was
    // when it started, whatever is renamed or swapped meanwhile.
    auto folder = std::make_shared<const KeyFolderWriter>(path.parent_path());
    auto job = [this, path = std::move(path), snapshot = std::move(snapshot), folder = std::move(folder)] {
      Write(*folder, path, *snapshot);
    };
    m_done = worker_pool::RunInBackground(std::move(job));
  }

  void Wait() {
    std::lock_guard lock(m_mutex);
    if (m_done.valid()) m_done.wait();
    m_done = {};
  }

 private:
  // A new file renamed onto the name: a link, FIFO, device or folder a key
  // put under the name is left as it is and the dump skipped, and an
  // abandoned dump leaves nothing behind. A debug aid, so it is not synced.
  void Write(const KeyFolderWriter& folder, const std::filesystem::path& path, const XmlDumpSnapshot& snapshot) const {
    const StreamWriter render = [&](std::ostream& out) {
      return snapshot.Render(
          [&](std::string_view piece) {
            return !m_abandon && out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
          },
          kChunkBytes);
    };
    std::string skipped;
    folder.WriteStream(path, render, Replacing::Allowed, Syncing::Skipped, skipped);
  }

  bool IsSupersededLocked(const std::filesystem::path& path, std::uint64_t event) const {
    const auto last = m_lastEvent.find(path);
    return last != m_lastEvent.end() && last->second > event;
  }

  std::mutex m_mutex;
  std::map<std::filesystem::path, std::uint64_t> m_lastEvent;  // of the latest dump started per file
  std::shared_future<void> m_done;                             // of the dump being written
  std::filesystem::path m_path;                                // of the dump being written
  std::atomic<bool> m_abandon{false};
};

DumpThread& TheDumpThread() {
  static DumpThread thread;
  return thread;
}

}  // namespace

std::uint64_t NewXmlDumpEvent() {
  static std::atomic<std::uint64_t> events{0};
  return ++events;
}

bool IsXmlDumpSuperseded(const std::filesystem::path& path, std::uint64_t event) {
  return TheDumpThread().IsSuperseded(path, event);
}

void StartXmlDump(std::filesystem::path path, std::unique_ptr<const XmlDumpSnapshot> snapshot, std::uint64_t event) {
  TheDumpThread().Start(std::move(path), std::move(snapshot), event);
}

void WaitForXmlDump() { TheDumpThread().Wait(); }
