// Runs a test once per candidate-count kernel this processor has, so the
// portable kernel is checked even where the vector one would be chosen.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "database/CandidateCounts.h"

class EachCountKernel : public ::testing::TestWithParam<CountKernel> {
 protected:
  void SetUp() override {
    if (GetParam() == CountKernel::Vector && !VectorCountKernelAvailable())
      GTEST_SKIP() << "this processor has no vector kernel";
    m_before = UseCountKernel(GetParam());
  }
  void TearDown() override { UseCountKernel(m_before); }

 private:
  CountKernel m_before = CurrentCountKernel();
};

inline void PrintTo(CountKernel kernel, std::ostream* out) {
  *out << (kernel == CountKernel::Vector ? "the vector kernel" : "the portable kernel");
}

inline std::string CountKernelName(const ::testing::TestParamInfo<CountKernel>& info) {
  return info.param == CountKernel::Vector ? "Vector" : "Portable";
}

// Both kernels, for INSTANTIATE_TEST_SUITE_P(Kernels, Suite, AllCountKernels(), CountKernelName).
inline auto AllCountKernels() { return ::testing::Values(CountKernel::Portable, CountKernel::Vector); }
