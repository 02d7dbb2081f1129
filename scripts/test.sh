#!/bin/sh
# Set-up, build, then the whole test suite, headless; then the suite once
# more built with AddressSanitizer and UndefinedBehaviorSanitizer, so that a
# memory fault fails the run even where the plain build happens to survive it;
# then the core and every fuzz target built with clang, each fuzzed briefly.
# Each step says how long it took.
set -eu
cd "$(dirname "$0")/.."
started=$(date +%s)
step_started=$started
step_done() {
  now=$(date +%s)
  echo "== $1 took $((now - step_started)) s (total $((now - started)) s)"
  step_started=$now
}

# Every build of the test command fails on a compiler warning, g++'s and clang's alike.
export QOR_WERROR=ON
sh scripts/setup.sh
step_done "set-up and build"
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
(cd build && ctest --output-on-failure -j "$(nproc)" --timeout 300)
step_done "test suite"

# Unoptimised: it compiles in a third of the time, and the checks see every
# access as written. The benchmarks measure the plain build only.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON -DQOR_BUILD_BENCH=OFF -DQOR_WARNINGS_AS_ERRORS=ON
cmake --build build-asan -j "$(nproc)"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build-asan && ctest --output-on-failure -j "$(nproc)" --timeout 300)
step_done "sanitizer build and suite"

sh scripts/fuzz.sh
step_done "clang build and fuzzing"
