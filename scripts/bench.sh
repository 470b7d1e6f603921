#!/usr/bin/env bash
# Builds the benchmarks, runs them on private Xvfb displays with Mesa's software OpenGL and prints
# the tables: frame cost of each phase against a clear-and-swap baseline, the program's own
# instructions per frame (callgrind, outside OpenGL), start-up, loading and peak memory, and the
# power table: processor time and frames per second of the real program while it shows, the
# Linux build and the Windows package under Wine, at 800x600 and 1920x1080; and in a nested sway
# at 800x600, the Linux build natively on Wayland beside the same through Xwayland.
#
#   scripts/bench.sh [--size WxH] [--rounds R] [--frames N] [--runs S] [--power-runs P]
#                    [--against REV] [--quick] [--no-build]
#   scripts/bench.sh --soak [MINUTES_HOSTED] [MINUTES_DAEMON]
#
#   --size        display of the frame and start-up tables (default 1920x1080)
#   --rounds      rounds of the frame benchmark; every case runs once per round (default 5)
#   --frames      timed frames per case and round (default 30)
#   --runs        start-up runs of the real program (default 3)
#   --power-runs  runs of the real program per build, platform and size, ~30 s each (default 3)
#   --against     also builds revision REV (with today's benchmark sources and test doubles) in a
#                 temporary worktree and measures both side by side, turn about, in this one run
#   --quick       a few frames on a small display: checks that everything runs, measures nothing
#   --no-build    uses the Linux build tree as it is (the Windows package is still brought up to
#                 date in its windows/ folder)
#   --soak        only the long run, scripts/soak.sh, over the built dravik: hosted for 30 minutes
#                 (memory and descriptors every minute) and under the XScreenSaver daemon with a
#                 new launch every minute for 20, side by side
# BUILD_DIR (default build) is the build tree used; the Wine prefix lives in BUILD_DIR/windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/lib.sh

size=1920x1080 rounds=5 frames=30 runs=3 seconds=4 cgframes=100 against="" build_first=1
power_sizes="800x600 1920x1080" power_runs=3 windows="2 14 17 29"
while [ $# -gt 0 ]; do
  case $1 in
    --size) size=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --frames) frames=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --power-runs) power_runs=$2; shift 2 ;;
    --against) against=$2; shift 2 ;;
    --no-build) build_first=0; shift ;;
    --soak) exec bash scripts/soak.sh "${@:2}" ;;
    --quick) size=320x240 rounds=1 frames=2 runs=1 seconds=0.5 cgframes=3 power_sizes=320x240 \
      power_runs=1 windows="0.5 3 16.5 19"; shift ;;
    *) sed -n '2,24p' "$0" >&2; exit 2 ;;
  esac
done
read -r w0 w1 w2 w3 <<<"$windows"  # phase 0 and phase 2, seconds after the first frame

build=$(realpath -m "${BUILD_DIR:-build}")
work=$(mktemp -d)
on_exit 'rm -rf "$work"'
results=$work/results
load() { cut -d' ' -f1-3 /proc/loadavg; }
load_before=$(load)

# --- build -------------------------------------------------------------------------------------
build_linux() {  # SOURCE BUILD [cmake options...]
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:3}" >/dev/null
  cmake --build "$2" --target bench -j 2 >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
}
# The Windows package of SOURCE, made in BUILD/windows (pictures from BUILD) and unpacked there.
package_windows() {  # SOURCE BUILD
  WIN_BUILD_DIR=$2/windows PACKAGE=$2/windows/Dravik-windows.zip \
    bash "$1/scripts/package-windows.sh" "$2" >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
  rm -rf "$2/windows/Dravik" && unzip -q "$2/windows/Dravik-windows.zip" -d "$2/windows"
}
if [ $build_first = 1 ]; then
  echo "building in $build ..." >&2
  build_linux "$root" "$build"
fi
echo "Windows package in $build/windows ..." >&2
package_windows "$root" "$build"
x86_64-w64-mingw32-g++ -O2 -static -I"$root" bench/display_rate.cpp -o "$build/windows/display_rate.exe"
# Whether a build's program paces its frames: asked of its executable, which holds the pacing
# (beginFramePacing, host/framepacing.h) when the program has it.
paces_frames() { [[ $(nm -C --defined-only "$1/dravik" 2>/dev/null) == *" beginFramePacing("* ]]; }
builds=(now)
declare -A dir=([now]=$build)
if paces_frames "$build"; then echo "now paced 1" >>"$results"; fi
if [ -n "$against" ]; then
  rev=$(git rev-parse --short "$against")
  old=$work/against
  echo "building $rev in a temporary worktree ..." >&2
  git worktree add --detach "$old" "$rev" >/dev/null 2>&1
  on_exit 'git -C "$root" worktree remove --force "$old" || true'
  # Today's benchmark, test doubles and packaging over the older program.
  for d in bench tests/double; do rm -rf "${old:?}/$d" && cp -r "$root/$d" "$old/$d"; done
  cp scripts/package-windows.sh "$old/scripts/"
  build_linux "$old" "$old/build" -DDRAVIK_TESTS=OFF
  package_windows "$old" "$old/build"
  builds+=(was)
  dir[was]=$old/build
  if paces_frames "$old/build"; then echo "was paced 1" >>"$results"; fi
fi

# --- displays: one private Xvfb per size -------------------------------------------------------
declare -A display xvfb
frame_sizes=()
for s in $size $power_sizes; do
  [ -n "${display[$s]:-}" ] && continue
  start_xvfb "$s"
  display[$s]=$DISPLAY xvfb[$s]=$XVFB_PID
  frame_sizes+=("$s")
done
export XDG_CONFIG_HOME=$work HOME=$work  # no setting: full screen
export WINEPREFIX=$build/windows/prefix WINEARCH=win64 WINEDEBUG=-all
wine_down() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
on_exit wine_down
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Wine prefix in $WINEPREFIX ..." >&2
  DISPLAY=${display[$size]} wineboot -u >/dev/null 2>&1
  # Without a window manager, Wine must manage no window itself.
  DISPLAY=${display[$size]} wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine_down
fi
# The display as the program sees it on Linux and under Wine: its size, and the mode's refresh rate.
for s in $power_sizes; do
  linux=$(DISPLAY=${display[$s]} "$build/dravik_bench_display_rate")
  wine=$(cd "$work" && DISPLAY=${display[$s]} wine "$build/windows/display_rate.exe" 2>/dev/null | tr -d '\r')
  wine_down
  for seen in "linux $linux" "wine $wine"; do
    read -r on shown hz <<<"$seen"
    [ "$shown" = "$s" ] || { echo "$on sees a ${shown:-missing} display instead of $s" >&2; exit 1; }
    echo "now rate.$on.$s $hz" >>"$results"
  done
done

# --- frame cost: every size, build and case once per round, turn about ------------------------
echo "frame cost: $rounds rounds of $frames frames per case at ${frame_sizes[*]} ..." >&2
for ((r = 1; r <= rounds; r++)); do
  for s in "${frame_sizes[@]}"; do
    for b in "${builds[@]}"; do
      DISPLAY=${display[$s]} "${dir[$b]}/dravik_bench_frames" --frames "$frames" --rounds 1 >"$work/frames.out"
      awk -v b="$b" -v s="$s" -v r="$r" \
        '$1 == "frame" { print b, "frame." s "." $2, $3, r; print b, "cpu." s "." $2, $4, r }' \
        "$work/frames.out" >>"$results"
      [ "$s" = "$size" ] && renderer=$(sed -n 's/^renderer //p' "$work/frames.out")
    done
  done
done

# --- the program's own instructions per frame --------------------------------------------------
echo "instructions: callgrind, $cgframes frames per case ..." >&2
callgrind() {  # OUT TOGGLE PROGRAM ARGS...: the program's instructions inside TOGGLE, gl* left out
  valgrind --tool=callgrind --callgrind-out-file="$1" --toggle-collect="$2" --toggle-collect='gl*' \
    "${@:3}" 2>/dev/null
}
for b in "${builds[@]}"; do
  for c in desktop logo stars; do
    out=$work/callgrind.$b.$c
    callgrind "$out" 'DrawGLScene()' "${dir[$b]}/dravik_bench_instructions" --case "$c" \
      --frames "$cgframes" | awk -v b="$b" '$1 == "calls" { print b, "calls." $2, $3 }' >>"$results"
    awk -v b="$b" -v c="$c" -v n="$cgframes" '$1 == "summary:" { print b, "instr." c, $2 / n }' \
      "$out" >>"$results"
  done
  callgrind "$work/callgrind.$b.load" 'LoadGLTextures()' "${dir[$b]}/dravik_bench_instructions" \
    --load >/dev/null
  awk -v b="$b" '$1 == "summary:" { print b, "startup.load_instr_m", $2 / 1e6 }' \
    "$work/callgrind.$b.load" >>"$results"
done

# --- start-up, loading and memory of the real program ------------------------------------------
echo "start-up: $runs runs of the real program, $seconds s each ..." >&2
for ((r = 1; r <= runs; r++)); do
  for b in "${builds[@]}"; do
    DISPLAY=${display[$size]} "${dir[$b]}/dravik_bench_startup" "${dir[$b]}/dravik" \
      "${dir[$b]}/libdravik_startup_probe.so" "$seconds" |
      awk -v b="$b" '$1 == "startup" { print b, "startup." $2, $3 }' >>"$results"
  done
done

# --- power: the real program while it shows ----------------------------------------------------
# power_run BUILD linux|wine SIZE ROUND: one run of the build's program, full screen on the
# display of that size, measured in both phase windows; the frames counted by today's probe on
# Linux and by Wine's OpenGL trace under Wine.
power_run() {
  local b=$1 on=$2 s=$3 r=$4 swaps=$work/swaps pid match helpers=()
  rm -f "$swaps"
  export DISPLAY=${display[$s]}
  if [ "$on" = linux ]; then
    DRAVIK_PROBE_SWAPS=$swaps LD_PRELOAD=$build/libdravik_startup_probe.so "${dir[$b]}/dravik" &
    pid=$! match=swap
  else
    (cd "${dir[$b]}/windows/Dravik" && WINEDEBUG=-all,+wgl exec wine Dravik.scr /s 2>"$swaps") &
    pid=$! match=wglSwapBuffers helpers=(--helpers "WINEPREFIX=$WINEPREFIX")
  fi
  local ok=1
  "$build/dravik_bench_power" --pid "$pid" --swaps "$swaps" --match "$match" \
    --server "${xvfb[$s]}" "${helpers[@]}" --window desktop "$w0" "$w1" --window stars "$w2" "$w3" \
    >"$work/power.out" || ok=0
  if [ "$on" = wine ]; then wine_down; fi
  stop_pid "$pid"
  [ $ok = 1 ] || { echo "power: $b on $on at $s failed" >&2; exit 1; }
  awk -v k="$b power.$on.$s" -v r="$r" '$1 == "power" {
    print k "." $2 ".cpu", $3, r; print k "." $2 ".fps", $4, r
    print k "." $2 ".xcpu", $5, r; print k "." $2 ".helpers", $6, r }' "$work/power.out" >>"$results"
}
echo "power: $power_runs runs per build, platform and size, $w3 s each ..." >&2
for ((r = 1; r <= power_runs; r++)); do
  for s in $power_sizes; do
    for on in linux wine; do
      for b in "${builds[@]}"; do power_run "$b" "$on" "$s" "$r"; done
    done
  done
done

# --- on a Wayland desktop: the show natively and through Xwayland, in one nested sway -----------
# wayland_run native|xwayland ROUND: one run of this tree's program full screen in the session,
# measured in both phase windows: its processor time, the outer Xvfb's, the desktop's own.
wayland_size=800x600
wayland_run() {
  local way=$1 r=$2 swaps=$SESSION_DIR/swaps runner pid=
  : >"$swaps" && chown "$SESSION_USER" "$swaps"
  local env=(env -u DISPLAY)
  [ "$way" = native ] || env=(env DRAVIK_BACKEND=x11)
  in_session "${env[@]}" DRAVIK_PROBE_SWAPS="$swaps" LD_PRELOAD="$bdir/libdravik_startup_probe.so" \
    "$bdir/dravik" /s >/dev/null 2>&1 &
  runner=$!
  wait_until 30 eval 'pid=$(pgrep -P $runner -x dravik)' || { echo "wayland: no $way show" >&2; exit 1; }
  "$build/dravik_bench_power" --pid "$pid" --swaps "$swaps" --match swap --server "$XVFB_PID" \
    --helpers "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" --window desktop "$w0" "$w1" --window stars "$w2" "$w3" \
    >"$work/power.out" || { echo "wayland: the $way show failed" >&2; exit 1; }
  stop_pid "$runner"
  [ "$way" = native ] && way=wayland
  awk -v k="now power.$way.$wayland_size" -v r="$r" '$1 == "power" {
    print k "." $2 ".cpu", $3, r; print k "." $2 ".fps", $4, r
    print k "." $2 ".xcpu", $5, r; print k "." $2 ".helpers", $6, r }' "$work/power.out" >>"$results"
}
echo "wayland: $power_runs runs natively and through Xwayland in a nested sway at $wayland_size ..." >&2
source scripts/wayland.sh
SESSION_SIZE=$wayland_size start_session sway
bdir=$SESSION_DIR/bench
mkdir "$bdir" && cp -r "$build/dravik" "$build/Data" "$build/libdravik_startup_probe.so" "$bdir/"
chown -R "$SESSION_USER" "$bdir"
for ((r = 1; r <= power_runs; r++)); do
  for way in native xwayland; do wayland_run "$way" "$r"; done
done

# --- the tables --------------------------------------------------------------------------------
cat >>"$results" <<EOF
set size $size
set rounds $rounds
set frames $frames
set runs $runs
set seconds $seconds
set cgframes $cgframes
set power_sizes $power_sizes
set power_runs $power_runs
set windows $windows
set wayland_size $wayland_size
set against ${rev:-}
EOF
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
echo
echo "Dravik benchmark, $(date -u +%Y-%m-%d), revision $(git rev-parse --short HEAD)$(
  git diff --quiet HEAD -- . 2>/dev/null || echo ' (with local changes)')"
echo "machine: $cpu, $(nproc) cores, $os; Xvfb ${frame_sizes[*]} (x24); $renderer; $(wine --version 2>/dev/null)"
echo "load average (1, 5, 15 min): $load_before at the start, $(load) at the end"
[ -n "$against" ] && echo "columns: now = this tree, was = revision $rev, was/now = how many times slower or bigger it was"
echo
"$build/dravik_bench_report" "$results"
