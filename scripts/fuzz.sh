#!/bin/bash
# Builds the libFuzzer targets with clang in build/fuzz and runs a campaign:
#   scripts/fuzz.sh TARGET SECONDS     (for example: scripts/fuzz.sh progress_fuzz 600)
#   scripts/fuzz.sh --list             (the targets)
# The campaign starts from the seed corpus in fuzz/corpus/<name>/ and keeps
# what it finds in build/fuzz/campaign/<name>/ (crashes as crash-* there),
# never in the source tree. It runs at the lowest priority, on one core.
set -e
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TIDEWELL_FUZZ_BUILD:-$ROOT/build/fuzz}"

tidewell_fuzz_build() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTIDEWELL_FUZZ=ON -DTIDEWELL_SANITIZE=ON -DTIDEWELL_TESTS=OFF -DTIDEWELL_BENCH=OFF >/dev/null
  nice cmake --build "$BUILD" --target fuzz_targets -j"${TIDEWELL_JOBS:-2}"
}

if [ "${BASH_SOURCE[0]}" != "$0" ]; then return 0; fi  # sourced by ./test

if [ "$1" = "--list" ]; then
  for f in "$ROOT"/fuzz/*_fuzz.cpp; do basename "$f" .cpp; done
  exit 0
fi
if [ $# -ne 2 ] || [ ! -f "$ROOT/fuzz/$1.cpp" ]; then
  echo "usage: $0 TARGET SECONDS   (targets: $0 --list)" >&2
  exit 2
fi
TARGET="$1"
SECONDS_TO_RUN="$2"
NAME="${TARGET%_fuzz}"
tidewell_fuzz_build
WORK="$BUILD/campaign/$NAME"
mkdir -p "$WORK/corpus"
cd "$WORK"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# New inputs go to the work corpus; the seeds are read, never written.
exec nice -n 19 "$BUILD/fuzz/$TARGET" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
  -artifact_prefix="$WORK/" -timeout=10 -rss_limit_mb=2048 \
  "$WORK/corpus" "$ROOT/fuzz/corpus/$NAME"
