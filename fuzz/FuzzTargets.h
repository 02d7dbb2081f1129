// The fuzz targets: one entry function per reader of outside input. Each
// takes any bytes and must return without crashing, hanging or leaking; it
// says whether the reader accepted the bytes, or that a property the reader
// promises (such as "what was accepted stores and loads again") failed.
//
// The same functions run under libFuzzer (FuzzerMain.cpp) and, in every
// build, over the corpus kept in fuzz/corpus/<name>/ (the corpus replay
// test), so each seed and each crash dropped into a corpus folder stays
// covered. A new reader gets one file in targets/, one line in the table
// (FuzzTargets.cpp) and a corpus folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

enum class FuzzVerdict {
  Accepted,  // the reader took the bytes as valid input
  Rejected,  // the reader refused them cleanly
  Violated,  // the reader broke one of its promises: a fault
};

using FuzzEntry = FuzzVerdict (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
  std::string_view name;  // also the name of its corpus folder
  FuzzEntry run;
};

FuzzVerdict FuzzArchiveReader(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzDatabaseHeader(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzRegionFile(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzLevelsFile(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzLinkActions(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzMenuClipboard(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzDatabaseMerge(const std::uint8_t* data, std::size_t size);
FuzzVerdict FuzzXmlWriter(const std::uint8_t* data, std::size_t size);

// Every target.
std::span<const FuzzTarget> FuzzTargets();
// The target of that name; null when there is none.
const FuzzTarget* FindFuzzTarget(std::string_view name);
