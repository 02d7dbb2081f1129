#include "reports/ThumbnailRun.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "database/FolderHandle.h"
#include "database/KeyFolderWriter.h"
#include "database/WorkerPool.h"
#include "platform/Ui.h"
#include "reports/ImageConvert.h"

namespace fs = std::filesystem;

namespace {

// The pictures and the thumbnails already there are read only beneath the
// chosen folder: a link leading out of it, a pipe or a device, or a file
// larger than any picture accepted is not read, and then counts as unreadable.
bool ThumbnailIsDone(ImageConvert& converter, const FolderHandle& folder, const fs::path& thumbnail) {
  const bool done = converter.Open(folder, thumbnail) && converter.Width() == kThumbnailWidth;
  converter.Close();
  return done;
}

// One picture; false when it cannot be read or its thumbnail written.
bool ConvertOne(const KeyFolderWriter& writer, const FolderHandle& folder, const std::string& name) {
  ImageConvert converter;
  const fs::path thumbnail = fs::path(kThumbnailFolderName) / name;
  if (ThumbnailIsDone(converter, folder, thumbnail)) return true;
  if (!converter.Open(folder, name, kThumbnailWidth) || converter.Width() <= 0 || converter.Height() <= 0) return false;
  const auto [width, height] = ThumbnailSize(converter.Width(), converter.Height());
  if (width != converter.Width()) converter.Resize(width, height);
  const bool saved = converter.Save(writer, writer.Folder() / thumbnail);
  converter.Close();
  return saved;
}

// Converts on the program's pool while the calling thread takes the results
// in list order, so that the log and the progress come as from a single loop.
class ConversionPool {
 public:
  ConversionPool(const KeyFolderWriter& writer, const FolderHandle& folder, const std::vector<std::string>& files)
      : m_writer(writer), m_folder(folder), m_files(files), m_results(files.size(), kPending) {}

  // At most workers pictures at once, each decoded in memory of its own.
  void Run(int workers) {
    worker_pool::RunChunks(workers, [this](int) { Work(); });
  }

  bool Result(std::size_t index) {
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [&] { return m_results[index] != kPending; });
    return m_results[index] == kConverted;
  }

 private:
  enum : char { kPending, kConverted, kFailed };

  void Work() {
    for (std::size_t index = m_next++; index < m_files.size(); index = m_next++) {
      const bool converted = ConvertOne(m_writer, m_folder, m_files[index]);
      std::lock_guard lock(m_mutex);
      m_results[index] = converted ? kConverted : kFailed;
      m_ready.notify_all();
    }
  }

  const KeyFolderWriter& m_writer;
  const FolderHandle& m_folder;
  const std::vector<std::string>& m_files;
  std::vector<char> m_results;
  std::atomic<std::size_t> m_next{0};
  std::mutex m_mutex;
  std::condition_variable m_ready;
};

int WorkerCount(int requested, std::size_t files) {
  const int wanted = requested > 0 ? requested : worker_pool::AllowedCpus();
  return static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(wanted), files));
}

// A picture's name may hold line breaks and other control characters; the
// log keeps one line per entry, each such character (and the backslash that
// starts the escapes) written as an escape.
std::string OneLogLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\')
      line += "\\\\";
    else if (c == '\n')
      line += "\\n";
    else if (c == '\r')
      line += "\\r";
    else if (c == '\t')
      line += "\\t";
    else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      line += escape;
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace

std::vector<std::string> ListSupportedPictures(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind;
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(kind) && ImageConvert::IsSupportedName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool AppendConvertLog(const fs::path& folder, const std::string& line) {
  if (folder.empty() || line.empty()) return false;
  std::string error;
  return KeyFolderWriter(folder).AppendText(folder / kConvertLogName, OneLogLine(line) + '\n', error);
}

std::pair<int, int> ThumbnailSize(int width, int height) {
  if (width <= kThumbnailWidth) return {width, height};
  const double scaled = static_cast<double>(kThumbnailWidth) * height / width;
  return {kThumbnailWidth, std::max(1, static_cast<int>(scaled))};
}

std::vector<std::string> CreateThumbnails(const fs::path& folder, const std::vector<std::string>& files,
                                          const ThumbnailProgress& progress, int workers) {
  if (files.empty()) {
    platform::Ui().ShowMessage(kNoFilesToConvert);
    return {};
  }
  platform::WaitCursor wait;
  const KeyFolderWriter writer(folder);
  const fs::path thumbnails = folder / kThumbnailFolderName;
  // A "Thumbnails" that is a link leading out of the folder is refused: then
  // nothing is written and every picture counts as not converted.
  const bool ready = writer.MakeFolders(kThumbnailFolderName);
  const FolderHandle chosen(folder);
  std::vector<std::string> failed;
  ConversionPool pool(writer, chosen, files);
  const int running = ready ? WorkerCount(workers, files.size()) : 0;
  const auto takeResults = [&] {
    for (std::size_t index = 0; index < files.size(); ++index) {
      if (!ready || !pool.Result(index)) {
        if (ready) AppendConvertLog(thumbnails, (thumbnails / files[index]).string());
        failed.push_back(files[index]);
      }
      if (progress) progress(static_cast<int>(index + 1));
    }
  };
  worker_pool::RunBeside([&] { pool.Run(running); }, takeResults);
  platform::Ui().ShowMessage(kConversionCompleted);
  return failed;
}
