#!/usr/bin/env bash
# Runs the real program on a virtual display with a Data folder of broken pictures (a folder in
# place of a file, zero length, truncated, top-down, huge and wrapping sizes, no header).
# Every message box is dismissed; the program must show exactly the expected messages, keep
# running, stop on a mouse movement, and (in a sanitizer build) report nothing.
#   tests/image/hostile_data.sh <dravik executable> <bmp_seeds executable>
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
work=$(mktemp -d /tmp/dravik-hostile-XXXXXX)
on_exit "rm -rf $work"
cp "$1" "$work/dravik"
"$2" --data "$work/Data"
start_xvfb 800x600

(cd "$work" && exec ./dravik /s) 2>"$work/stderr.log" &
saver=$!
on_exit "stop_pid $saver"
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
kill -0 "$saver" 2>/dev/null || { echo "the program stopped after its messages" >&2; fail=1; }
xdotool mousemove 10 10 && sleep 0.3 && xdotool mousemove 300 200
wait_until 10 eval "! kill -0 $saver 2>/dev/null" ||
  { echo "the program did not stop on a mouse movement" >&2; fail=1; }

expected=$(printf '%s\n' "LoadABitmap Error: can't read file.." "getPixelData: Is NULL" \
  "LoadABitmap Error: can't read file.." "getPixelData: Is NULL" \
  "LoadABitmap Error: can't read file.." "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "LoadABitmap Error: can't read file.." "LoadABitmap Error: can't read file.." \
  "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "LoadABitmap Error: can't read file.." "LoadABitmap Error: can't read file.." \
  "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "LoadABitmap Error: can't read file.." "getPixelData: Is NULL")
shown=$(grep -E '^(LoadABitmap Error|getPixelData|CDoubleBitmap): ' "$work/stderr.log" || true)
if [ "$shown" != "$expected" ]; then
  printf 'messages differ from the expected fourteen:\n%s\n' "$shown" >&2
  fail=1
fi
if grep -qE 'Sanitizer|runtime error' "$work/stderr.log"; then
  cat "$work/stderr.log" >&2
  fail=1
fi
[ $fail -eq 0 ] && echo "broken Data folder: 14 messages in order, kept running, stopped on the mouse"
exit $fail
