#!/usr/bin/env bash
# The unit tests built with clang under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan),
# then a fixed-time libFuzzer run over the image readers, seeded with a small made-up BMP file.
# Any sanitizer report, failing test or fuzzer finding fails the script.
#
#   scripts/sanitize-and-fuzz.sh            all of it, with 60 s of fuzzing
#   scripts/sanitize-and-fuzz.sh 3600       the same with an hour of fuzzing (or FUZZ_SECONDS=3600)
#   FUZZ_SECONDS=0 scripts/...              no fuzzing
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${1:-${FUZZ_SECONDS:-60}}
BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$SANITIZE" -DCMAKE_CXX_FLAGS="$SANITIZE" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DDRAVIK_TESTS=ON -DDRAVIK_BENCH=OFF -DDRAVIK_FUZZ=ON >/dev/null
cmake --build "$BUILD_DIR" -j 2 --target unit_tests bmp_fuzzer

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
(cd "$BUILD_DIR" && ctest -L unit --output-on-failure -j 2)

if [ "$FUZZ_SECONDS" -le 0 ]; then
  exit 0
fi

echo "== fuzzing the image readers for $FUZZ_SECONDS s"
fuzz=$(realpath "$BUILD_DIR/fuzz")
corpus=$fuzz/corpus
artifacts=$fuzz/findings
mkdir -p "$corpus" "$artifacts"
# The fuzzer writes its inputs as files into its working folder: one in memory, removed after.
files=$(mktemp -d -p /dev/shm dravik-fuzz-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$files"' EXIT
# A seed: a valid 4 x 2 picture, twice (the fuzzer also reads an input's halves as a pair).
picture() { printf 'BM%016d\x04\0\0\0\x02\0\0\0%028d' 0 0 | tr 0 '\0'; head -c 24 /dev/urandom; }
{ picture; picture; } >"$corpus/pair-4x2.bmp"
log=$fuzz/last-run.log
status=0
(cd "$files" && exec "$fuzz/../bmp_fuzzer" -max_total_time="$FUZZ_SECONDS" -max_len=4096 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus") \
  >"$log" 2>&1 || status=$?
grep -E "^Done|stat::number_of_executed_units|stat::peak_rss_mb" "$log" || true
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log"
  echo "The fuzzer found a fault (exit code $status); the input is in $artifacts/." >&2
  exit 1
fi
echo "Fuzzing found nothing."
