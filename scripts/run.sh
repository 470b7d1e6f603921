#!/usr/bin/env bash
# Installs what is missing, builds, and runs the screen saver.
# With a display ($DISPLAY reachable) it runs there until you move the mouse, click or press Escape.
# Without one it runs on a virtual display for a while and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec ./build/dravik /s
fi

mkdir -p out
seconds=${SECONDS_TO_RUN:-20}
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

echo "No display: running on the virtual display $display for $seconds s."
DISPLAY=$display ./build/dravik /s &
saver=$!
sleep "$seconds"
DISPLAY=$display import -window root out/screenshot.png
DISPLAY=$display xdotool mousemove_relative 1 1   # any movement ends the screen saver
wait $saver && status=0 || status=$?
echo "Screen saver ended with exit code $status."
echo "Screenshot after $seconds s: $(pwd)/out/screenshot.png"
