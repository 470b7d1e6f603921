#!/usr/bin/env bash
# The show on a Wayland desktop, nested in a virtual display so that keys and the pointer reach
# it through the compositor as a user's do. A full-screen terminal of the desktop has the
# keyboard and the pointer (what it is sent is kept). With Data missing, each of the fifteen boxes
# shows above the show and Return closes it. Then `dravik /s` covers the output and stays up
# without input; typed keys and Escape reach the show, not the terminal, and end it with 27; a
# one-pixel movement ends the next run with 0, a click the one after with 1; the compositor still
# runs at the end.
#   tests/wayland/desktop.sh sway|weston|mutter|kwin BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/wayland.sh"
desktop=$1
start_session "$desktop"
app=$SESSION_DIR/app typed=$SESSION_DIR/typed && mkdir -p "$app/nodata"
cp -r "$2/dravik" "$2/Data" "$app/" && cp "$2/dravik" "$app/nodata/"
printf '#!/bin/sh\nstty raw -echo\nexec cat >%s\n' "$typed" >"$app/keep-typed"
chmod 755 "$app/keep-typed" && chown -R "$SESSION_USER" "$app"
fail() { echo "FAIL ($desktop): $1"; exit 1; }
outer() { DISPLAY=$OUTER "$@"; }

# A terminal filling the output, the pointer over it. On KWin an X terminal in a corner: KWin's
# weston-terminal cannot be told from its black desktop.
term=(weston-terminal --fullscreen --shell="$app/keep-typed") at=(512 384)
[ "$desktop" != kwin ] || term=(xterm -bg black -geometry 80x24+0+0 -e "$app/keep-typed") at=(100 100)
in_session "${term[@]}" >/dev/null 2>&1 &
on_exit "stop_pid $!"
wait_until 60 test -e "$typed" || fail "no terminal"
# over_terminal: the pointer moves over the terminal, the last window it was over.
over_terminal() { outer xdotool mousemove $((at[0] - 10)) "${at[1]}" mousemove "${at[@]}"; }
over_terminal

# A box is up: the white of a box (240 x 112, with its caption and text) lights at least 1.5 % of
# the black show's output (where it stands is the compositor's choice); a box has closed.
lit() { outer import -silent -window root miff:- | convert miff:- -colorspace gray -threshold 90% -format '%[fx:mean > 0.015]' info: | grep -q 1; }
closed() { [ "$(wc -l <"$SESSION_DIR/err")" -gt $box ] || ! in_session xwininfo -name "$caption" >/dev/null 2>&1; }

# show APP_DIR: starts the show; true once its window covers the output, draws and has the keys.
show() {
  in_session env DRAVIK_BACKEND=x11 "$1/dravik" /s 2>"$SESSION_DIR/err" &
  saver=$!
  wait_until 60 eval 'in_session xwininfo -name "Dravik Screensaver" 2>/dev/null |
    grep -q "geometry 1024x768+0+0"' && wait_until 60 eval 'outer shows_the_show' &&
    wait_until 30 eval '[ "$(in_session xdotool getwindowfocus getwindowname)" = "Dravik Screensaver" ]'
}
# ends CODE: the show has ended with CODE within 20 s; its screen has gone.
ends() {
  wait_until 20 eval '! kill -0 $saver 2>/dev/null' || fail "the show still runs"
  local code=0
  wait $saver || code=$?
  [ "$code" = "$1" ] || fail "exit code $code instead of $1: $(cat "$SESSION_DIR/err")"
  wait_until 20 eval '! outer shows_the_show' || fail "the show stays on screen"
}

in_session env DRAVIK_BACKEND=x11 "$app/nodata/dravik" /s 2>"$SESSION_DIR/err" &
saver=$!
for box in $(seq 15); do
  wait_until 30 eval '[ "$(wc -l <"$SESSION_DIR/err")" -ge $box ]' || fail "no box $box"
  caption=$(tail -n 1 "$SESSION_DIR/err" | cut -d: -f1)
  wait_until 30 lit || fail "box $box ($caption) not visible"
  # It stays in sight while it waits (a compositor may put the full-screen show back above it).
  [ $box != 1 ] || ! wait_until 3 eval '! lit' || fail "box 1 ($caption) went out of sight"
  # Return, again every 2 s while the box has not yet got the keyboard, until it closes.
  wait_until 30 eval 'outer xdotool key Return; wait_until 2 closed' || fail "box $box ($caption) stays"
done
wait_until 30 eval 'in_session xwininfo -name "Dravik Screensaver" | grep -q IsViewable' || fail "no show"
outer xdotool key Escape
ends 27
over_terminal
# Input, and the exit code it ends a run with; the first run stays up 5 s without input first.
for run in "key x y z Escape/27" "mousemove_relative 1 0/0" "click 1/1"; do
  show "$app" || fail "no show covering the output before: ${run%/*}"
  [ "$run" != "key x y z Escape/27" ] || ! wait_until 5 eval '! kill -0 $saver 2>/dev/null' || fail "it ended by itself"
  outer xdotool ${run%/*}
  ends "${run#*/}"
done
[ ! -s "$typed" ] || fail "the terminal got keys: $(od -c "$typed" | head -2)"
session_alive || fail "the compositor has gone"
echo "$desktop: the show covered the output, ended by Escape, a movement and a click, and showed 15 boxes"
