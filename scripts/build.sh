#!/bin/sh
# Configures and builds into build/ (or the folder given as $1) with two jobs.
set -e
cd "$(dirname "$0")/.."
dir=${1:-build}
shift 2>/dev/null || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j2
