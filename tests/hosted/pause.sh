#!/usr/bin/env bash
# The hack stopped while a daemon's unlock dialog shows (SIGSTOP) and resumed (SIGCONT), drawing
# into a window of ours: after the resume it draws again, its first 120 frames no faster than the
# display's 60 Hz (Xvfb names no rate), and SIGTERM still ends it by that signal.
#   tests/hosted/pause.sh DRAVIK PROBE     (the build's dravik, libdravik_startup_probe.so)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
swaps=$(mktemp /tmp/dravik-swaps-XXXXXX)
on_exit "rm -f $swaps"
start_xvfb 640x480
xmessage -geometry 640x480+0+0 daemon 2>/dev/null &
on_exit "kill $! || true"  # not stop_pid: its failing wait would end the cleanup early
wait_until 20 eval 'win=$(xdotool search --name "^xmessage$")'
XSCREENSAVER_WINDOW=$win DRAVIK_PROBE_SWAPS=$swaps LD_PRELOAD=$(realpath "$2") "$1" --root &
hack=$!
on_exit 'kill -9 ${hack:-} 2>/dev/null || true'
wait_until 60 shows_the_show "$win" || { echo "FAIL: no show in the window"; exit 1; }
kill -STOP $hack
picture() { import -silent -window "$win" rgb:- | md5sum; }
wait_until 20 eval '[ "$(picture)" = "$(picture)" ]'  # what was sent before the stop has landed
stopped=$(picture)
sleep 3  # the time it stays stopped, as behind the dialog (what is checked comes after the resume)
before=$(wc -l <"$swaps") start=$(date +%s%N)
kill -CONT $hack
# The first 120 frames after the resume: at 66 a second at most (no catch-up burst), 2 to spare.
wait_until 60 eval '[ $(($(wc -l <"$swaps") - before)) -ge 120 ]' || { echo "FAIL: no frames"; exit 1; }
frames=$(($(wc -l <"$swaps") - before)) ms=$((($(date +%s%N) - start) / 1000000))
echo "after the resume: $frames frames in $ms ms"
((frames * 1000 <= ms * 60 * 11 / 10 + 2000)) || { echo "FAIL: not paced"; exit 1; }
wait_until 30 eval '[ "$(picture)" != "$stopped" ]' || { echo "FAIL: no change after the resume"; exit 1; }
kill -TERM $hack
wait $hack && status=0 || status=$?
hack=
[ $status = 143 ] || { echo "FAIL: exit status $status after SIGTERM, not 143"; exit 1; }
