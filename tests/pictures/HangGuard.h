// Runs a tool that could block on a pipe planted in a key's folder, through
// the suite's one hang guard: a hang fails the test instead of stalling the
// whole run.
#pragma once

#include <string>
#include <utility>

#include "fakes/HangGuard.h"

namespace pictures_test {

template <class Tool>
void RunWithoutHanging(const std::string& what, Tool&& tool) {
  hang_guard::ReturnsWithinBound(what.c_str(), std::forward<Tool>(tool));
}

}  // namespace pictures_test
