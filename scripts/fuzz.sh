#!/bin/sh
# Builds the core and every fuzz target with clang (as the README's
# "Fuzzing" section does), then runs each target for a short fixed time on a
# fresh work folder beside its seeds, several side by side. A target that
# does not build, a crash, a leak, a hang or a broken promise fails the run;
# the input that did it is kept in build-fuzz/fuzz-artifacts/<target>/.
#
# FUZZ_SECONDS (default 20) is each target's fuzzing time, FUZZ_JOBS
# (default: the number of processors) how many run at once.
set -eu
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-20}"
jobs="${FUZZ_JOBS:-$(nproc)}"
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQOR_BUILD_FUZZ=ON -DQOR_BUILD_GUI=OFF -DQOR_BUILD_BENCH=OFF \
  -DQOR_WARNINGS_AS_ERRORS="${QOR_WERROR:-OFF}"
# The core on its own as well, so an error only clang reports fails here
# even in a file no fuzz target reaches.
cmake --build "$build" -j "$(nproc)" --target qorcore fuzz_all

targets="$(cat "$build/fuzz-targets.txt")"
if [ -z "$targets" ]; then
  echo "fuzz: the build defines no fuzz target" >&2
  exit 1
fi

rm -rf "$build/fuzz-work" "$build/fuzz-artifacts" "$build/fuzz-logs"
mkdir -p "$build/fuzz-work" "$build/fuzz-artifacts" "$build/fuzz-logs"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# One target: new inputs go into its work folder, the seeds stay as they
# are; a single input running longer than ten seconds counts as a hang.
run_one='
  target=$1 build=$2 seconds=$3
  mkdir -p "$build/fuzz-work/$target" "$build/fuzz-artifacts/$target"
  if "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target/" \
      "$build/fuzz-work/$target" "fuzz/corpus/$target" >"$build/fuzz-logs/$target.log" 2>&1; then
    echo "fuzz: $target passed ($(grep -m1 "stat::number_of_executed_units" "$build/fuzz-logs/$target.log" | sed "s/.*: *//") runs)"
  else
    echo "fuzz: $target FAILED; its log ends:" >&2
    tail -n 40 "$build/fuzz-logs/$target.log" >&2
    echo "fuzz: the input that failed $target is in $build/fuzz-artifacts/$target/" >&2
    exit 1
  fi
'
printf '%s\n' $targets | xargs -P "$jobs" -I '{}' sh -c "$run_one" fuzz '{}' "$build" "$seconds"
