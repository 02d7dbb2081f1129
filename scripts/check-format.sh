#!/bin/sh
# Every C++ source of ours is laid out as .clang-format says; prints each
# place that is not and fails. "check-format.sh fix" lays them out instead.
set -u
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null 2>&1; then
  echo "clang-format is not installed (scripts/setup.sh installs it)"
  exit 1
fi
sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -- '*.cpp' '*.h'
  else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print
  fi
}
if [ "${1:-}" = fix ]; then
  sources | xargs -P "$(nproc)" -n 20 clang-format -i
  exit 0
fi
sources | xargs -P "$(nproc)" -n 20 clang-format --dry-run --Werror
