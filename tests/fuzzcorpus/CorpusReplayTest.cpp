// Every fuzz target over every file of its corpus folder: the seeds kept in
// the tree and each crash a fuzzer found and left there. A seed named
// "accepted-..." or "rejected-..." must get that verdict, so the seeds stay
// what they claim to test; every other file must merely run clean.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

// Failure messages name the target and the verdict rather than their bytes.
void PrintTo(const FuzzTarget& target, std::ostream* out) { *out << target.name; }
void PrintTo(FuzzVerdict verdict, std::ostream* out) {
  constexpr const char* kNames[] = {"Accepted", "Rejected", "Violated"};
  *out << kNames[static_cast<int>(verdict)];
}

namespace {

const std::filesystem::path kCorpus = QOR_FUZZ_CORPUS;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::vector<std::filesystem::path> CorpusFiles(std::string_view target) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / target, error))
    if (entry.is_regular_file()) files.push_back(entry.path());
  return files;
}

class CorpusReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, RunsEveryFileWithTheVerdictItsNameClaims) {
  const FuzzTarget& target = GetParam();
  const auto files = CorpusFiles(target.name);
  ASSERT_GE(files.size(), 3u) << "the corpus of " << target.name << " needs seeds in " << (kCorpus / target.name);
  int accepted = 0, rejected = 0, run = 0;
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    const auto bytes = ReadFile(file);
    const FuzzVerdict verdict = target.run(bytes.data(), bytes.size());
    ++run;
    EXPECT_NE(verdict, FuzzVerdict::Violated) << name;
    if (StartsWith(name, "accepted-")) {
      EXPECT_EQ(verdict, FuzzVerdict::Accepted) << name;
      ++accepted;
    } else if (StartsWith(name, "rejected-")) {
      EXPECT_EQ(verdict, FuzzVerdict::Rejected) << name;
      ++rejected;
    }
  }
  EXPECT_EQ(run, static_cast<int>(files.size()));
  EXPECT_GT(accepted, 0) << "a corpus needs valid input to reach past the first checks";
  EXPECT_GT(rejected, 0) << "a corpus needs broken input too";
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CorpusReplay, EveryCorpusFolderHasItsTarget) {
  int folders = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
    ++folders;
    EXPECT_NE(FindFuzzTarget(entry.path().filename().string()), nullptr) << entry.path();
  }
  EXPECT_EQ(folders, static_cast<int>(FuzzTargets().size()));
}

}  // namespace
