#!/usr/bin/env bash
# Runs the real program on a virtual display with a Data folder of broken pictures (a folder in
# place of a file, zero length, truncated, top-down, huge and wrapping sizes, no header). Every
# message box is dismissed; the program must show exactly the expected messages, keep running,
# stop on a mouse movement, and (in a sanitizer build) report nothing.
#   tests/image/hostile_data.sh <dravik executable, with pictures.txt beside it>
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
work=$(mktemp -d /tmp/dravik-hostile-XXXXXX)
on_exit "rm -rf $work"
cp "$1" "$work/dravik"
mapfile -t name <"$(dirname "$1")/pictures.txt"  # star, background, logo, its mask, font, ...
le32() { printf '\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
# bmp NAME WIDTH HEIGHT PIXEL-BYTES: a 54-byte header claiming the size, then the bytes.
bmp() { { printf "BM%016d$(le32 "$2")$(le32 "$3")%028d" 0 0 | tr 0 '\0'; head -c "$4" /dev/urandom; } >"$work/Data/$1"; }
mkdir -p "$work/Data/${name[0]}"  # a folder in place of a file
: >"$work/Data/${name[1]}"
bmp "${name[2]}" 512 512 100
bmp "${name[3]}" 4 4 48
bmp "${name[4]}" 4 -4 48
head -c 20 /dev/zero >"$work/Data/${name[5]}"
bmp "${name[6]}" 0x7fffffff 0x7fffffff 48
bmp "${name[7]}" 0x40000000 4 48
start_xvfb 800x600

(cd "$work" && exec ./dravik /s) 2>"$work/stderr.log" &
saver=$!
on_exit "stop_pid $saver"
# Dismiss boxes until none has shown up for 8 s. (Each box is a new window that may reuse the
# last one's id, so the boxes are counted by the program's own lines on stderr instead.)
while id=$(timeout 8 xdotool search --sync --onlyvisible \
             --name '^(LoadABitmap Error|getPixelData|CDoubleBitmap)$' 2>/dev/null | head -1) &&
      [ -n "$id" ]; do
  xdotool key Return >/dev/null 2>&1 || true
  sleep 0.3
done

fail=0
sleep 2
kill -0 "$saver" 2>/dev/null || { echo "the program stopped after its messages" >&2; fail=1; }
xdotool mousemove 10 10 && sleep 0.3 && xdotool mousemove 300 200
wait_until 10 eval "! kill -0 $saver 2>/dev/null" ||
  { echo "the program did not stop on a mouse movement" >&2; fail=1; }
read1="LoadABitmap Error: can't read file.."
expected=$(printf '%s\n' "$read1" "getPixelData: Is NULL" "$read1" "getPixelData: Is NULL" \
  "$read1" "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "$read1" "$read1" "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "$read1" "$read1" "CDoubleBitmap: CDoubleBitmap() 1st bitmap has no data." \
  "$read1" "getPixelData: Is NULL")
shown=$(grep -E '^(LoadABitmap Error|getPixelData|CDoubleBitmap): ' "$work/stderr.log" || true)
[ "$shown" = "$expected" ] || { printf 'messages differ from the expected fourteen:\n%s\n' "$shown" >&2; fail=1; }
! grep -qE 'Sanitizer|runtime error' "$work/stderr.log" || { cat "$work/stderr.log" >&2; fail=1; }
[ $fail -eq 0 ] && echo "broken Data folder: 14 messages in order, kept running, stopped on the mouse"
exit $fail
