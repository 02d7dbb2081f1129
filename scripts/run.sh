#!/bin/sh
# Set-up, build, then start the program on the bundled sample key.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
exec ./build/qor "${1:-build/samples/birds/birds.qor}"
