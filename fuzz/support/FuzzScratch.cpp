#include "fuzz/support/FuzzScratch.h"

#include <unistd.h>

#include <fstream>
#include <string>

#include "database/XmlDump.h"

FuzzScratch& FuzzScratch::Get() {
  static FuzzScratch scratch;
  return scratch;
}

FuzzScratch::FuzzScratch() {
  std::error_code ignored;
  // The process id keeps parallel fuzzers and test runs apart.
  m_path = std::filesystem::temp_directory_path(ignored) / ("qor-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(m_path, ignored);
}

FuzzScratch::~FuzzScratch() {
  WaitForXmlDump();  // a dump still being written would land in the folder being removed
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path FuzzScratch::Write(std::string_view name, const std::uint8_t* data, std::size_t size) const {
  const std::filesystem::path file = m_path / name;
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return file;
}

InScratchFolder::InScratchFolder() {
  std::error_code ignored;
  m_previous = std::filesystem::current_path(ignored);
  std::filesystem::current_path(FuzzScratch::Get().Path(), ignored);
}

InScratchFolder::~InScratchFolder() {
  std::error_code ignored;
  std::filesystem::current_path(m_previous, ignored);
}

void WaitForScratchDump() { WaitForXmlDump(); }
