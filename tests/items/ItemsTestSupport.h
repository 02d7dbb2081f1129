// Shared pieces of the item tests: a document with chosen name kinds and a
// temporary folder that is the current folder while a test runs (loads and
// stores write their dump files into the current folder).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "database/XmlDump.h"
#include "database/ZAVDoc.h"

inline std::unique_ptr<CZAVDoc> MakeDocument(bool common, bool scientific) {
  auto doc = std::make_unique<CZAVDoc>();
  doc->m_header.commonNamesEnabled = common ? 1 : 0;
  doc->m_header.scientificNamesEnabled = scientific ? 1 : 0;
  return doc;
}

// Adds an item with the given names; the other arguments stay empty.
inline int Add(CZAVDoc& doc, const std::string& common, const std::string& genus = {}, const std::string& species = {},
               const std::string& family = {}) {
  doc.AddItem({}, species, common, genus, family, {});
  return doc.m_currentItem;
}

class TempFolder {
 public:
  TempFolder() : m_previous(std::filesystem::current_path()) {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("qor-items-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
    std::filesystem::current_path(m_path);
  }
  ~TempFolder() {
    WaitForXmlDump();  // a dump still being written would land in the folder being removed
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
  }
  const std::filesystem::path& path() const { return m_path; }
  std::string File(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_path;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}
