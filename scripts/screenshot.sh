#!/bin/sh
# Starts QL on the offscreen platform on the help document and on a generated document and saves
# a PNG of the main window for each (default folder build/shots), for looking at the window
# without a display. Each run uses a program folder of its own, so no user settings are touched.
set -e
cd "$(dirname "$0")/.."
dir=${BUILD_DIR:-build}
out=${1:-$dir/shots}
mkdir -p "$out"
cmake --build "$dir" -j2 --target QL qltool >/dev/null
bin=$(cd "$dir/bin" && pwd)
home=$(mktemp -d "${TMPDIR:-/tmp}/qlshot.XXXXXX")
trap 'rm -rf "$home"' EXIT
cp "$bin/Styles.ini" "$home/" 2>/dev/null || true

shot() {  # shot NAME DOCUMENT
  QL_SCREENSHOT_OPEN=${QL_SCREENSHOT_OPEN:-} QT_QPA_PLATFORM=offscreen QL_HOME="$home/" XDG_RUNTIME_DIR="$home" XDG_DATA_HOME="$home/data" \
    QL_SCREENSHOT="$out/$1.png" "$bin/QL" "$2" 2>/dev/null
  echo "$out/$1.png"
}

help="$bin/Описание программы ВС.qlt"
if [ -f "$help" ]; then
  # A copy: leaving a document may save it, and the built one must stay as generated.
  cp "$help" "$home/"
  shot help "$home/Описание программы ВС.qlt"
else
  echo "no help document at $help" >&2
fi

# A generated outline: levels, long texts that wrap, a long text of its own on some nodes.
{
  for i in 1 2 3 4; do
    echo "Раздел $i: заголовок первого уровня"
    for j in 1 2 3; do
      printf '\tПункт %s.%s — текст второго уровня, достаточно длинный, чтобы перенестись на следующую строку ячейки в окне программы\n' "$i" "$j"
      printf '\t\tПодпункт %s.%s.1\n\t\tПодпункт %s.%s.2\n' "$i" "$j" "$i" "$j"
    done
  done
} >"$home/outline.txt"
"$bin/qltool" import "$home/outline.txt" "$home/Образец.qlt" >/dev/null
QL_SCREENSHOT_OPEN=1 shot generated "$home/Образец.qlt"
