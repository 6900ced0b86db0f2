#!/bin/sh
# Builds everything and starts QL on the bundled help document.
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
help="build/bin/Описание программы ВС.qlt"
if [ ! -x build/bin/QL ]; then
  echo "Built the core, qltool and the console tools; QL itself is not part of the build yet."
  exit 0
fi
exec build/bin/QL "$help"
