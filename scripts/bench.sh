#!/usr/bin/env bash
# Builds the benchmarks, runs them on a private Xvfb with Mesa's software OpenGL and prints one
# table: frame cost of each phase of the show against a clear-and-swap baseline, the program's
# own instructions per frame (callgrind, outside OpenGL), start-up, loading and peak memory.
#
#   scripts/bench.sh [--size WxH] [--rounds R] [--frames N] [--runs S] [--against REV] [--quick]
#
#   --size      virtual display (default 1920x1080)
#   --rounds    rounds of the frame benchmark; every case runs once per round (default 5)
#   --frames    timed frames per case and round (default 30)
#   --runs      start-up runs of the real program (default 3)
#   --against   also builds revision REV of the program (with today's benchmark sources) in a
#               temporary worktree and measures both side by side, turn about, in this one run
#   --quick     a few frames on a small display: checks that everything runs, measures nothing
#   --no-build  uses the build tree as it is
# BUILD_DIR (default build) is the build tree used.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

size=1920x1080 rounds=5 frames=30 runs=3 seconds=4 cgframes=100 against="" build_first=1
while [ $# -gt 0 ]; do
  case $1 in
    --size) size=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --frames) frames=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --against) against=$2; shift 2 ;;
    --no-build) build_first=0; shift ;;
    --quick) size=320x240 rounds=1 frames=2 runs=1 seconds=0.5 cgframes=3; shift ;;
    *) sed -n '2,18p' "$0" >&2; exit 2 ;;
  esac
done

build=$(realpath -m "${BUILD_DIR:-build}")
work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  if [ -d "$work/against" ]; then git -C "$root" worktree remove --force "$work/against" || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- build -------------------------------------------------------------------------------------
configure_and_build() {  # source-dir build-dir
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$2" --target bench -j 2 >"$work/build.log" 2>&1 || {
    cat "$work/build.log" >&2
    exit 1
  }
}
if [ $build_first = 1 ]; then
  echo "building in $build ..." >&2
  configure_and_build "$root" "$build"
fi
builds=(now)
declare -A dir=([now]=$build)
if [ -n "$against" ]; then
  rev=$(git rev-parse --short "$against")
  echo "building $rev in a temporary worktree ..." >&2
  git worktree add --detach "$work/against" "$rev" >/dev/null 2>&1
  rm -rf "$work/against/bench" && cp -r "$root/bench" "$work/against/bench"
  cmake -S "$work/against" -B "$work/against/build" -G Ninja -DDRAVIK_TESTS=OFF >/dev/null
  configure_and_build "$work/against" "$work/against/build"
  builds+=(was)
  dir[was]=$work/against/build
fi

# --- display -----------------------------------------------------------------------------------
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/displayfd" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$work/displayfd"
export DISPLAY=:$number XDG_CONFIG_HOME=$work HOME=$work  # no setting: full screen
results=$work/results

# --- frame cost: every build and case once per round, turn about ------------------------------
echo "frame cost: $rounds rounds of $frames frames per case ..." >&2
for ((r = 1; r <= rounds; r++)); do
  for b in "${builds[@]}"; do
    "${dir[$b]}/dravik_bench_frames" --frames "$frames" --rounds 1 >"$work/frames.out"
    awk -v b="$b" -v r="$r" '$1 == "frame" { print b, "frame." $2, $3, r; print b, "cpu." $2, $4, r }' "$work/frames.out" \
      >>"$results"
  done
done
renderer=$(sed -n 's/^renderer //p' "$work/frames.out")

# --- the program's own instructions per frame --------------------------------------------------
echo "instructions: callgrind, $cgframes frames per case ..." >&2
for b in "${builds[@]}"; do
  for c in desktop logo stars; do
    out=$work/callgrind.$b.$c
    valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='DrawGLScene()' \
      --toggle-collect='gl*' "${dir[$b]}/dravik_bench_instructions" --case "$c" \
      --frames "$cgframes" 2>/dev/null >"$work/calls.out"
    awk -v b="$b" '$1 == "calls" { print b, "calls." $2, $3 }' "$work/calls.out" >>"$results"
    awk -v b="$b" -v c="$c" -v n="$cgframes" \
      '$1 == "summary:" { print b, "instr." c, $2 / n }' "$out" >>"$results"
  done
done

for b in "${builds[@]}"; do
  out=$work/callgrind.$b.load
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='LoadGLTextures()' \
    --toggle-collect='gl*' "${dir[$b]}/dravik_bench_instructions" --load 2>/dev/null >/dev/null
  awk -v b="$b" '$1 == "summary:" { print b, "startup.load_instr_m", $2 / 1e6 }' "$out" >>"$results"
done

# --- start-up, loading and memory of the real program ------------------------------------------
echo "start-up: $runs runs of the real program, $seconds s each ..." >&2
for ((r = 1; r <= runs; r++)); do
  for b in "${builds[@]}"; do
    "${dir[$b]}/dravik_bench_startup" "${dir[$b]}/dravik" \
      "${dir[$b]}/libdravik_startup_probe.so" "$seconds" >"$work/startup.out"
    awk -v b="$b" '$1 == "startup" { print b, "startup." $2, $3 }' "$work/startup.out" \
      >>"$results"
  done
done

# --- the table ---------------------------------------------------------------------------------
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
echo
echo "Dravik benchmark, $(date -u +%Y-%m-%d), revision $(git rev-parse --short HEAD)$(
  git diff --quiet HEAD -- . 2>/dev/null || echo ' (with local changes)')"
echo "machine: $cpu, $(nproc) cores, $os; Xvfb ${size}x24; $renderer"
[ -n "$against" ] && echo "columns: now = this tree, was = revision $rev, was/now = how many times slower or bigger it was"
echo
awk -v against="$against" -v rounds="$rounds" -v frames="$frames" -v runs="$runs" \
    -v seconds="$seconds" -v cgframes="$cgframes" '
  { v[$1, $2] = v[$1, $2] " " $3; if (NF > 3) at[$1, $2, $4] = $3 }
  function sorted(s, a,   n, i, j, t) {
    n = split(s, a, " ")
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; j--) {
      t = a[j]; a[j] = a[j - 1]; a[j - 1] = t
    }
    return n
  }
  function median(b, m,   a, n) { n = sorted(v[b, m], a); return n ? a[int((n + 1) / 2)] : -1 }
  function lo(b, m,   a, n) { n = sorted(v[b, m], a); return a[1] }
  function hi(b, m,   a, n) { n = sorted(v[b, m], a); return a[n] }
  function spread(b, m) { return sprintf("%.1f-%.1f", lo(b, m), hi(b, m)) }
  function ratio(m,   w) { w = median("now", m); return w > 0 ? median("was", m) / w : 0 }
  # The median over rounds of a / b, both measured in the same round.
  function paired(ba, ma, bb, mb,   r, s) {
    s = ""
    for (r = 1; r <= rounds; r++) if (at[bb, mb, r] > 0) s = s " " at[ba, ma, r] / at[bb, mb, r]
    v["paired", "x"] = s
    return median("paired", "x")
  }
  END {
    split("baseline desktop logo stars", cases, " ")
    title["baseline"] = "baseline: clear + swap"
    title["desktop"] = "phase 0: desktop + scroller"
    title["logo"] = "phase 1: logo zooming in"
    title["stars"] = "phase 2: stars, falling desktop, logo"
    printf "Frame cost, fixed step 1/60 s, glFinish after each swap; median of %d rounds x %d frames\n", rounds, frames
    printf "%-38s %9s %11s %8s %7s %7s %11s %8s", "case", "ms/frame", "(range)", "frames/s", "x base", "cpu ms", "own instr", "GL calls"
    if (against != "") printf " %9s %7s %7s %11s %7s", "was ms", "was/now", "cpu w/n", "was instr", "was/now"
    printf "\n"
    for (i = 1; i <= 4; i++) {
      c = cases[i]; ms = median("now", "frame." c); base = median("now", "frame.baseline")
      instr = c == "baseline" ? 0 : median("now", "instr." c)
      calls = c == "baseline" ? 1 : median("now", "calls." c)
      printf "%-38s %9.2f %11s %8.1f %7.2f %7.2f %11.0f %8.0f", title[c], ms, spread("now", "frame." c), 1000 / ms, paired("now", "frame." c, "now", "frame.baseline"), median("now", "cpu." c), instr, calls
      if (against != "") {
        printf " %9.2f %7.2f %7.2f", median("was", "frame." c), paired("was", "frame." c, "now", "frame." c), paired("was", "cpu." c, "now", "cpu." c)
        if (c == "baseline") printf " %11.0f %7s", 0, "-"
        else printf " %11.0f %7.2f", median("was", "instr." c), ratio("instr." c)
      }
      printf "\n"
    }
    printf "ms/frame: median wall time over the rounds, (range) their least and greatest; it follows the load\n"
    printf "of the machine. x base: median over the rounds of each round'"'"'s ratio to the baseline of that round.\n"
    printf "cpu ms: processor time of the benchmark'"'"'s threads per frame (the renderer'"'"'s included, the X server'"'"'s not),\n"
    printf "steadier than wall time when the machine is busy.\n"
    if (against != "") printf "was/now of ms and of cpu ms (cpu w/n): like x base, the two builds taking turns within each round.\n"
    printf "own instr (callgrind, %d frames; outside OpenGL, C and maths libraries included) and GL calls per frame\n", cgframes
    printf "are exact and repeat from run to run.\n\n"
    printf "Start-up of the real program, median of %d runs (each then runs %s s full screen); times vary by\n", runs, seconds
    printf "some per cent, the first frame most (it compiles the renderer'"'"'s shaders)\n"
    n = split("first_frame_ms context_ms loading_ms uploading_ms load_instr_m first_draw_ms picture_opens peak_loading_kb peak_running_kb running_fps", keys, " ")
    label["first_frame_ms"] = "process start to first presented frame, ms"
    label["context_ms"] = "  of which: process start to current GL context, ms"
    label["loading_ms"] = "  of which: loading the pictures (first open to last upload), ms"
    label["uploading_ms"] = "    of which inside glTexImage2D, ms"
    label["load_instr_m"] = "    own instructions for loading (callgrind), millions"
    label["first_draw_ms"] = "  of which: first frame, last upload to its swap, ms"
    label["picture_opens"] = "picture files opened"
    label["peak_loading_kb"] = "peak memory to the first frame (start-up, loading), MB"
    label["peak_running_kb"] = "peak memory while running, MB"
    label["running_fps"] = "frames/s of the real program (phase 0, main loop included)"
    for (i = 1; i <= n; i++) {
      k = keys[i]; m = "startup." k; x = median("now", m); y = median("was", m)
      if (k ~ /_kb$/) { x /= 1024; y /= 1024 }
      printf "  %-62s %9.1f", label[k], x
      if (against != "") printf "   was %9.1f  was/now %5.2f", y, (x > 0 ? y / x : 0)
      printf "\n"
    }
  }' "$results"
