// The libFuzzer entry of one target, chosen at build time by QOR_FUZZ_TARGET.
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzTarget* const target = FindFuzzTarget(QOR_FUZZ_TARGET);
  if (!target) std::abort();  // a build without a matching table line
  if (target->run(data, size) == FuzzVerdict::Violated) __builtin_trap();
  return 0;
}
