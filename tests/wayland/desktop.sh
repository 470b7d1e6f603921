#!/usr/bin/env bash
# The X11 program through the desktop's Xwayland (DRAVIK_BACKEND=x11, as for X daemons on a
# Wayland desktop), nested in a virtual display so that keys and the pointer reach it through the
# compositor as a user's do. A full-screen terminal of the desktop has the keyboard (what it is
# sent is kept). With Data missing, each of the fifteen boxes shows above the show, laid out
# right, and Return closes it (KWin shows a new X window only when the output beneath changes: the
# box clears the show beneath it). Then `dravik /s` covers the output; with the pointer over the
# terminal at a place Xwayland has not seen it (Xwayland learns it as the show appears, which is
# no movement) it stays up 5 s without input; typed keys and Escape reach the show, not the
# terminal (a managed, activated full-screen window), and end it with 27; one-pixel movements end
# the next run with 0 (where the compositor tells Xwayland the pointer's place only as it moves,
# sway's, the first is that), a click the one after with 1; the compositor still runs at the end.
#   tests/wayland/desktop.sh sway|weston|mutter|kwin BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wayland.sh"
source "$here/checks.sh"
desktop=$1 build=$(realpath "$2")
BOX_PICTURE=$build/dravik_box_picture GREEN_BOX=$build/dravik_green_box
start_session "$desktop"
app_dir "$build"
typed=$SESSION_DIR/typed
printf '#!/bin/sh\nstty raw -echo\nexec cat >%s\n' "$typed" >"$app/keep-typed" && chmod 755 "$app/keep-typed"

# A terminal filling the output. On KWin an X terminal in a corner: with a full-screen Wayland
# one, KWin did not give the X show the keyboard.
term=(weston-terminal --fullscreen --shell="$app/keep-typed") corner=0
[ "$desktop" != kwin ] || term=(xterm -bg black -geometry 80x24+0+0 -e "$app/keep-typed") corner=1
in_session "${term[@]}" >/dev/null 2>&1 &
on_exit "stop_pid $!"
wait_until 60 test -e "$typed" || fail "no terminal"
# over_terminal X Y: the pointer moves over the terminal there, the last window it was over.
over_terminal() { outer xdotool mousemove $(($1 - 10)) "$2" mousemove "$1" "$2"; }

# start DIR: the X11 program from DIR.
start() {
  in_session env DRAVIK_BACKEND=x11 "$1/dravik" /s 2>"$SESSION_DIR/err" &
  saver=$!
}
# up: the show's window covers the output, the show draws, and it has the keyboard.
up() {
  wait_until 60 eval 'in_session xwininfo -name "Dravik Screensaver" 2>/dev/null |
    grep -q "geometry 1024x768+0+0"' || fail "no window covering the output"
  wait_until 60 eval 'output_shot 1 "$SESSION_DIR/shot.png" && whole "$SESSION_DIR/shot.png" >/dev/null' ||
    fail "not the whole show on the output"
  wait_until 30 eval '[ "$(in_session xdotool getwindowfocus getwindowname)" = "Dravik Screensaver" ]' ||
    fail "the show has not the keyboard"
}
# A box has closed: the next one came, or the last one's window has gone.
closed() { [ "$(wc -l <"$SESSION_DIR/err")" -gt $box ] || ! in_session xwininfo -name "$caption" >/dev/null 2>&1; }

over_terminal $((corner ? 100 : 300)) $((corner ? 100 : 300))
start "$app/nodata"
for box in $(seq 15); do
  wait_until 30 eval '[ "$(wc -l <"$SESSION_DIR/err")" -ge $box ]' || fail "no box $box"
  caption=$(tail -n 1 "$SESSION_DIR/err" | cut -d: -f1)
  wait_until 30 box_shown || fail "box $box ($caption): $("$BOX_PICTURE" "$SESSION_DIR/shot.png")"
  # It stays in sight while it waits (a compositor may put the full-screen show back above it).
  [ $box != 1 ] || ! wait_until 3 eval '! box_shown' || fail "box 1 ($caption) went out of sight"
  # Return, again every 2 s while the box has not yet got the keyboard, until it closes.
  wait_until 30 eval 'outer xdotool key Return; wait_until 2 closed' || fail "box $box ($caption) stays"
done
wait_until 30 eval 'in_session xwininfo -name "Dravik Screensaver" | grep -q IsViewable' || fail "no show"
outer xdotool key Escape
ends 27
# Input, and the exit code it ends a run with; the first run, with the pointer moved over the
# terminal to where Xwayland has not seen it, stays up 5 s without input first.
over_terminal $((corner ? 150 : 600)) $((corner ? 150 : 500))
# A movement is two one-pixel moves at most: on KWin the first only brings Xwayland up to date.
for run in "key x y z Escape/27" "mousemove_relative 1 0/0" "click 1/1"; do
  start "$app"
  up
  [ "$run" != "key x y z Escape/27" ] || ! wait_until 5 eval '! kill -0 $saver 2>/dev/null' ||
    fail "it ended by itself"
  outer xdotool ${run%/*}
  [ "${run%/*}" != "mousemove_relative 1 0" ] || wait_until 2 eval '! kill -0 $saver 2>/dev/null' ||
    outer xdotool mousemove_relative 1 0
  ends "${run#*/}"
done
[ ! -s "$typed" ] || fail "the terminal got keys: $(od -c "$typed" | head -2)"
session_alive || fail "the compositor has gone"
echo "$desktop: through Xwayland the show covered the output, ended by Escape, a movement and a click, and showed 15 boxes"
