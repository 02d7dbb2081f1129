#!/bin/sh
# Set-up, build, then the whole test suite, headless.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
