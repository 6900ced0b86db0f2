#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a short time
# (FUZZ_SECONDS, default 30); fails on a crash or a sanitizer report.
set -e
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ not found, skipping the fuzz run"
  exit 0
fi
seconds=${FUZZ_SECONDS:-30}
dir=build-fuzz
CC=clang CXX=clang++ cmake -S fuzz -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j2 --target fuzz_document fuzz_payload
mkdir -p "$dir/corpus/document" "$dir/corpus/payload"
# Seeds: an empty version 4 document, a version 1 document with two nodes, and a payload.
z4='\000\000\000\000'
printf "\004\000\000\000$z4$z4$z4\000$z4\343\004\000\000$z4$z4" > "$dir/corpus/document/empty4"
printf "\001\000\000\000$z4$z4$z4\002\000\000\000${z4}\001a\000\001\000\000\000\000b\000" > "$dir/corpus/document/two1"
printf "\047\000\000\000\004\000\000\000\000\003\000\000\000\343\004\000\000\001\000\000\000\000\001\000\000\000\003\000\000\000$z4\001\000\000\000\000\000x\000\000" \
  > "$dir/corpus/payload/one"
for target in document payload; do
  echo "fuzz.sh: running fuzz_$target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$dir/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "$dir/corpus/$target" 2>"$dir/fuzz_$target.log" || {
      tail -50 "$dir/fuzz_$target.log"
      echo "fuzz.sh: fuzz_$target failed"
      exit 1
    }
  tail -2 "$dir/fuzz_$target.log"
done
