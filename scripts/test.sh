#!/bin/sh
# Builds everything and runs the whole test suite; ends with CTest's summary.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
cd build
QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 240
