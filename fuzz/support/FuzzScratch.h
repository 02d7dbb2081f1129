// A private folder for one fuzzing process. The readers under test read
// files, and every database load writes its XML dump into the current
// folder; both stay here, away from the source tree and from other runs.
// The process's current folder is changed only while a load runs: the
// fuzzer reads its corpus by relative paths between runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

class FuzzScratch {
 public:
  // Made on first use; removed, with the dump written last, when the
  // process ends.
  static FuzzScratch& Get();

  // Writes the bytes to the named file of the folder and returns its path.
  std::filesystem::path Write(std::string_view name, const std::uint8_t* data, std::size_t size) const;
  const std::filesystem::path& Path() const { return m_path; }

  FuzzScratch(const FuzzScratch&) = delete;
  FuzzScratch& operator=(const FuzzScratch&) = delete;

 private:
  FuzzScratch();
  ~FuzzScratch();

  std::filesystem::path m_path;
};

// Waits until the XML dump being written, if any, is complete.
void WaitForScratchDump();

// Makes the scratch folder the current one while it lives.
class InScratchFolder {
 public:
  InScratchFolder();
  ~InScratchFolder();
  InScratchFolder(const InScratchFolder&) = delete;
  InScratchFolder& operator=(const InScratchFolder&) = delete;

 private:
  std::filesystem::path m_previous;
};

// Runs body with the scratch folder current, where every database load and
// store writes its XML dump, and waits for the dump, which is written on its
// own thread: a run that ended before it would make the leak check report
// the dump's memory.
template <typename Body>
auto RunWithDumpsInScratch(Body body) {
  const InScratchFolder dumpsGoHere;
  const auto result = body();
  WaitForScratchDump();
  return result;
}
