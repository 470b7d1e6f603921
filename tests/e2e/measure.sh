#!/usr/bin/env bash
# Start-up time and frame rate of the real program on a private Xvfb (1024x768x24, Mesa's
# software OpenGL). Usage: tests/e2e/measure.sh [build-dir] [seconds]
# Prints, over 3 runs each: the time from process start to the first presented frame and the
# frames per second (dravik_framerate counts SwapBuffers), and the time from launching dravik
# until its window is mapped, seen from outside with xdotool.
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-5}

work=$(mktemp -d)
mkfifo "$work/displayfd"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$work/displayfd" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
read -r number <"$work/displayfd"  # written once the server accepts connections
export DISPLAY=:$number XDG_CONFIG_HOME=$work HOME=$work
echo "Xvfb on $DISPLAY, build $build"

for run in 1 2 3; do
  DRAVIK_FRAMERATE_SECONDS=$seconds "$build/dravik_framerate" 2>/dev/null | sed "s/^/run $run: /"
done

for run in 1 2 3; do
  start=$(date +%s%N)
  "$build/dravik" 2>/dev/null &
  saver=$!
  for _ in $(seq 1000); do
    xdotool search --onlyvisible --name '^Dravik Screensaver$' >/dev/null 2>&1 && break
    sleep 0.005
  done
  mapped=$(date +%s%N)
  echo "run $run: window mapped $(( (mapped - start) / 1000000 )) ms after launch"
  kill -TERM $saver
  wait $saver || true
done
