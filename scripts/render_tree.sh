#!/bin/sh
# Builds the renderer and draws a generated tree with the grid into a PNG (default
# build/tree.png) on the offscreen platform, for looking at the drawing, and its branch area
# enlarged six times (default beside it, *_zoom.png).
set -e
cd "$(dirname "$0")/.."
dir=${BUILD_DIR:-build}
out=${1:-$dir/tree.png}
cmake --build "$dir" -j2 --target render_tree >/dev/null
zoom=${2:-${out%.png}_zoom.png}
QT_QPA_PLATFORM=offscreen "$dir/tests/render_tree" "$out" "$zoom"
