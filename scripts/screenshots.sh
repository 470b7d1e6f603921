#!/usr/bin/env bash
# Runs the real screen saver on a virtual display and saves a screenshot of each phase:
#   out/screenshots/1-desktop.png   desktop and scroller (phase 0)
#   out/screenshots/2-logo-N.png    a burst from 15 s on: the logo zooming in (it takes under
#                                   half a second), then the desktop tossed up over the stars
#   out/screenshots/3-stars.png     the star field with the logo and the scroller
# and out/screenshots/show.gif, a short animation of the last phase.
# Usage: scripts/screenshots.sh [build folder] [WIDTHxHEIGHT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
size=${2:-1280x720}
out=out/screenshots
mkdir -p "$out"
[ -x "$build/dravik" ] || bash scripts/build.sh

source scripts/lib.sh
start_xvfb "$size"

# Park the cursor before the start: the screen saver ends on any movement after it starts.
xdotool mousemove 0 0

shot() { import -window root "$out/$1.png"; echo "$out/$1.png"; }
at() { # waits until $1 seconds after the start
  local now
  now=$(date +%s.%N)
  sleep "$(awk -v s="$start" -v t="$1" -v n="$now" 'BEGIN { d = s + t - n; print (d > 0 ? d : 0) }')"
}

start=$(date +%s.%N)
"$build/dravik" /s &
saver=$!
at 6 && shot 1-desktop
at 15.1
for i in 1 2 3 4 5 6 7 8; do shot "2-logo-$i"; done
at 24 && shot 3-stars
frames=()
for i in $(seq -w 1 24); do
  import -window root -resize 50% "$out/frame-$i.gif"
  frames+=("$out/frame-$i.gif")
done
convert -delay 12 -loop 0 "${frames[@]}" "$out/show.gif"
rm -f "${frames[@]}"
echo "$out/show.gif"
xdotool mousemove_relative 1 1
wait $saver
