#!/usr/bin/env bash
# The unit tests built with clang under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan),
# then a fixed-time libFuzzer run over each reader of outside input, a third of the time each: the
# image readers (seeded with a small made-up BMP file), the registry file (the README's example
# and a regedit export in UTF-16) and the hosted mode's window id (the daemon's ways of naming it).
# Any sanitizer report, failing test or fuzzer finding fails the script.
#
#   scripts/sanitize-and-fuzz.sh            all of it, with 90 s of fuzzing
#   scripts/sanitize-and-fuzz.sh 3600       the same with an hour of fuzzing (or FUZZ_SECONDS=3600)
#   FUZZ_SECONDS=0 scripts/...              no fuzzing
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${1:-${FUZZ_SECONDS:-90}}
BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
SANITIZE="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$SANITIZE" -DCMAKE_CXX_FLAGS="$SANITIZE" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DDRAVIK_TESTS=ON -DDRAVIK_BENCH=OFF -DDRAVIK_FUZZ=ON >/dev/null
cmake --build "$BUILD_DIR" -j 2 --target unit_tests bmp_fuzzer registry_fuzzer windowid_fuzzer

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
(cd "$BUILD_DIR" && ctest -L unit --output-on-failure -j 2)

if [ "$FUZZ_SECONDS" -le 0 ]; then
  exit 0
fi

fuzz=$(realpath "$BUILD_DIR/fuzz")
artifacts=$fuzz/findings
mkdir -p "$artifacts"
# The fuzzers write their inputs as files into their working folder: one in memory, removed after.
files=$(mktemp -d -p /dev/shm dravik-fuzz-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$files"' EXIT

# fuzz NAME MAX_LEN: runs NAME_fuzzer over its corpus (seeded by the caller) for its share of time.
fuzz() {
  local log=$fuzz/$1.log status=0
  echo "== fuzzing the $1 reader for $((FUZZ_SECONDS / 3)) s"
  (cd "$files" && exec "$fuzz/../$1_fuzzer" -max_total_time=$((FUZZ_SECONDS / 3)) -max_len="$2" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$fuzz/corpus-$1") >"$log" 2>&1 || status=$?
  grep -E "^Done|stat::number_of_executed_units|stat::peak_rss_mb" "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "The $1 fuzzer found a fault (exit code $status); the input is in $artifacts/." >&2
    exit 1
  fi
}
mkdir -p "$fuzz"/corpus-{bmp,registry,windowid}
# A valid 4 x 2 picture, twice (the fuzzer also reads an input's halves as a pair).
picture() { printf 'BM%016d\x04\0\0\0\x02\0\0\0%028d' 0 0 | tr 0 '\0'; head -c 24 /dev/urandom; }
{ picture; picture; } >"$fuzz/corpus-bmp/pair-4x2.bmp"
# The README's example, and a regedit export: UTF-16 with its byte-order mark, CRLF, a surrogate
# pair, escaped quotes and backslashes, a value of another type. The key is the program's own
# (platform/setting.h), its C escapes undone.
key="[HKEY_CURRENT_USER\\$(sed -n 's/^#define SETTINGS_KEY "\(.*\)"$/\1/p' platform/setting.h | sed 's/\\\\/\\/g')]"
printf '%s\n\n%s\n"ParentHWND"="0"\n' "Windows Registry Editor Version 5.00" "$key" \
  >"$fuzz/corpus-registry/readme.reg"
{ printf '\xff\xfe'; printf '%s\r\n\r\n%s\r\n"ParentHWND"="4194303"\r\n"\\"\\\\"="\xf0\x9f\x8c\x85 \\""\r\n%s\r\n' \
  "Windows Registry Editor Version 5.00" "$key" '"Count"=dword:00000001' | iconv -f UTF-8 -t UTF-16LE; } \
  >"$fuzz/corpus-registry/regedit-utf16.reg"
# XSCREENSAVER_WINDOW, then the command line, NUL-separated.
printf '0x1a00005\0dravik\0--root' >"$fuzz/corpus-windowid/daemon"
printf '\0dravik\0-window-id\0%s' 4194309 >"$fuzz/corpus-windowid/argument"

fuzz bmp 4096
fuzz registry 4096
fuzz windowid 256
echo "Fuzzing found nothing."
