// A temporary folder of the test's own, removed with everything in it at
// the end of the test.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("qor_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(m_path, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string File(const std::string& name) const { return (m_path / name).string(); }
  // Writes the bytes into the named file, making its folders; returns its path.
  std::string Write(const std::string& name, const std::string& bytes = "x") const {
    const auto file = m_path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::filesystem::path m_path;
};
