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
source scripts/lib.sh
start_xvfb 1280x720

echo "No display: running on the virtual display $DISPLAY for $seconds s."
./build/dravik /s &
saver=$!
sleep "$seconds"
import -window root out/screenshot.png
xdotool mousemove_relative 1 1   # any movement ends the screen saver
wait $saver && status=0 || status=$?
echo "Screen saver ended with exit code $status."
echo "Screenshot after $seconds s: $(pwd)/out/screenshot.png"
