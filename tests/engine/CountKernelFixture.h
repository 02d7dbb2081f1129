// Runs a test once per candidate-count kernel this processor has, so the
// narrower kernels are checked even where a wider one would be chosen.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "database/CandidateCounts.h"

inline const char* KernelName(CountKernel kernel) {
  return kernel == CountKernel::Wide ? "Wide" : kernel == CountKernel::Vector ? "Vector" : "Portable";
}

class EachCountKernel : public ::testing::TestWithParam<CountKernel> {
 protected:
  void SetUp() override {
    if (!CountKernelAvailable(GetParam()))
      GTEST_SKIP() << "this processor has no " << KernelName(GetParam()) << " kernel";
    m_before = UseCountKernel(GetParam());
  }
  void TearDown() override { UseCountKernel(m_before); }

 private:
  CountKernel m_before = CurrentCountKernel();
};

inline void PrintTo(CountKernel kernel, std::ostream* out) { *out << "the " << KernelName(kernel) << " kernel"; }

inline std::string CountKernelName(const ::testing::TestParamInfo<CountKernel>& info) { return KernelName(info.param); }

// Every kernel, for INSTANTIATE_TEST_SUITE_P(Kernels, Suite, AllCountKernels(), CountKernelName).
inline auto AllCountKernels() {
  return ::testing::Values(CountKernel::Portable, CountKernel::Vector, CountKernel::Wide);
}
