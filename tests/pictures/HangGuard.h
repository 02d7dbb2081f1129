// Runs a tool that could block on a pipe planted in a key's folder. The
// bound is generous and only there so that a hang fails the test instead of
// stalling the whole run: a thread blocked in the kernel cannot be stopped,
// so the process ends with the failure written out.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <utility>

namespace pictures_test {

template <class Tool>
void RunWithoutHanging(const std::string& what, Tool&& tool) {
  auto done = std::async(std::launch::async, std::forward<Tool>(tool));
  if (done.wait_for(std::chrono::minutes(2)) != std::future_status::ready) {
    std::fprintf(stderr, "FAILED: %s did not end; it waits on something in the key's folder\n", what.c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  done.get();
}

}  // namespace pictures_test
