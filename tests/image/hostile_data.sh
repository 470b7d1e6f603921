#!/usr/bin/env bash
# Runs the real program on a virtual display with a Data folder of broken pictures (a folder in
# place of a file, zero length, truncated, top-down, huge and wrapping sizes, no header).
# Every message box is dismissed; the program must show exactly the expected messages, keep
# running, stop on a mouse movement, and (in a sanitizer build) report nothing.
#   tests/image/hostile_data.sh <dravik executable> <bmp_seeds executable>
set -euo pipefail
dravik=$(realpath "$1")
seeds=$(realpath "$2")

work=$(mktemp -d /tmp/dravik-hostile-XXXXXX)
display=:$((150 + RANDOM % 100))
xvfb=
saver=
cleanup() {
  [ -n "$saver" ] && kill "$saver" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$dravik" "$work/dravik"
"$seeds" --data "$work/Data"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=$display

(cd "$work" && exec ./dravik /s) 2>"$work/stderr.log" &
saver=$!

# Dismiss boxes until none has shown up for 8 s. (Each box is a new window that may reuse the
# last one's id, so the boxes are counted by the program's own lines on stderr instead.)
while id=$(timeout 8 xdotool search --sync --onlyvisible \
             --name '^(LoadABitmap Error|getPixelData|CDoubleBitmap)$' 2>/dev/null | head -1) &&
      [ -n "$id" ]; do
  xdotool key --window "$id" Return >/dev/null 2>&1 || true
  sleep 0.3
done

fail=0
sleep 2
if ! kill -0 "$saver" 2>/dev/null; then
  echo "the program stopped after its messages" >&2
  fail=1
fi
xdotool mousemove 10 10 && sleep 0.3 && xdotool mousemove 300 200
for _ in $(seq 100); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$saver" 2>/dev/null; then
  echo "the program did not stop on a mouse movement" >&2
  fail=1
fi
wait "$saver" 2>/dev/null || true
saver=

expected="LoadABitmap Error: can't read file..
getPixelData: Is NULL
LoadABitmap Error: can't read file..
getPixelData: Is NULL
LoadABitmap Error: can't read file..
CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data.
LoadABitmap Error: can't read file..
LoadABitmap Error: can't read file..
CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data.
LoadABitmap Error: can't read file..
LoadABitmap Error: can't read file..
CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data.
LoadABitmap Error: can't read file..
getPixelData: Is NULL"
shown=$(grep -E '^(LoadABitmap Error|getPixelData|CDoubleBitmap): ' "$work/stderr.log" || true)
if [ "$shown" != "$expected" ]; then
  echo "messages differ from the expected fourteen:" >&2
  echo "$shown" >&2
  fail=1
fi
if grep -qE 'Sanitizer|runtime error' "$work/stderr.log"; then
  cat "$work/stderr.log" >&2
  fail=1
fi
[ $fail -eq 0 ] && echo "broken Data folder: 14 messages in order, kept running, stopped on the mouse"
exit $fail
