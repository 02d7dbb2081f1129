#!/bin/sh
# Installs what is missing (Debian packages only) and builds into build/.
# clang, its run-time libraries (libFuzzer and the sanitizers) and llvm's
# symbolizer (named crash stacks) serve the fuzz build; clang-format checks
# the sources' layout.
set -eu
cd "$(dirname "$0")/.."

PACKAGES="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libicu-dev libmagick++-dev \
qt6-base-dev qt6-webengine-dev qt6-webchannel-dev libqt6webenginecore6-bin libgl-dev fonts-dejavu-core \
qt6-image-formats-plugins libtbb-dev libqt6svg6 \
clang libclang-rt-14-dev llvm clang-format"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi

# The test command builds with warnings as errors (QOR_WERROR=ON).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_WARNINGS_AS_ERRORS="${QOR_WERROR:-OFF}"
cmake --build build -j "$(nproc)"
