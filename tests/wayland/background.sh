#!/usr/bin/env bash
# On sway nested in a virtual display (no Xwayland), as Wayland users set the show up:
# - `dravik --root`, as a lock screen's animated background: the show on the output's background
#   where no window covers it, with a terminal window above part of it; the terminal keeps the
#   keyboard (typed keys reach it), a pointer movement and a click over the show end nothing; after
#   5 s SIGTERM ends it within 1 s and it dies of that signal (status 143). The same with the
#   background hidden beneath a full-screen window (no frame callbacks): it costs under 0.02
#   CPU-s/s over 10 s meanwhile.
# - `swayidle -w timeout 2 'dravik /s'`, with `dravik` on the PATH: the show starts after two idle
#   seconds, and Escape ends it with 27.
#   tests/wayland/background.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wayland.sh"
source "$here/checks.sh"
build=$(realpath "$1") GREEN_BOX=$(realpath "$1")/dravik_green_box
SESSION_XWAYLAND=0 start_session sway
app_dir "$build"
typed=$SESSION_DIR/typed
printf '#!/bin/sh\nstty raw -echo\nexec cat >%s\n' "$typed" >"$app/keep-typed" && chmod 755 "$app/keep-typed"

# A terminal floating over the output's top left quarter, with the keyboard.
in_session weston-terminal --shell="$app/keep-typed" >/dev/null 2>&1 &
terminal=$!
on_exit "stop_pid $terminal"
wait_until 60 test -e "$typed" || fail "no terminal"
in_corner() {  # asked again until the terminal has taken the place (under load it kept its own size)
  sway_msg '[app_id="org.freedesktop.weston.wayland-terminal"] floating enable, resize set 512 384, move position 0 0' >/dev/null &&
    sway_msg -t get_tree | python3 -c 'import json, sys
def rects(n):
    return ([n["rect"]] if n.get("app_id") else []) + [r for c in n["nodes"] + n["floating_nodes"] for r in rects(c)]
sys.exit(not any(r["x"] == 0 and r["y"] == 0 and r["width"] <= 512 and r["height"] <= 384 for r in rects(json.load(sys.stdin))))'
}
wait_until 30 in_corner || fail "the terminal is not in the corner"
green_at() {  # X Y: the desktop picture's green shows there
  output_shot 1 "$SESSION_DIR/shot.png"
  convert "$SESSION_DIR/shot.png" -crop "60x60+$1+$2" -format '%[fx:mean.g - mean.r > 0.2]' info: | grep -q 1
}

for run in uncovered hidden; do
  in_session env -u DISPLAY "$app/dravik" --root 2>"$SESSION_DIR/err" &
  saver=$!
  wait_until 60 green_at 700 500 || fail "no show on the background"
  ! green_at 200 200 || fail "the show above the terminal"
  if [ $run = uncovered ]; then
    outer xdotool mousemove 700 500 type abc
    wait_until 20 grep -q abc "$typed" || fail "the terminal did not get the keys"
    outer xdotool mousemove_relative 5 5 click 1 mousemove 200 200
    ! wait_until 5 eval '! kill -0 $saver 2>/dev/null' || fail "input ended it"  # and 5 s have passed
  else
    sway_msg '[app_id="org.freedesktop.weston.wayland-terminal"] fullscreen enable' >/dev/null
    wait_until 30 eval '! green_at 700 500' || fail "the show still shows"
    costs_nothing "hidden"
  fi
  terminated 143
done

stop_pid $terminal
outer xdotool mousemove 512 384
in_session env -u DISPLAY PATH="$app:$PATH" swayidle -w timeout 2 'dravik /s; echo $? >'"$SESSION_DIR/ended" \
  >/dev/null 2>&1 &
idle=$!
on_exit "stop_pid $idle"
wait_until 60 eval 'output_shot 1 "$SESSION_DIR/shot.png" && whole "$SESSION_DIR/shot.png" >/dev/null' ||
  fail "swayidle did not start the show"
outer xdotool key Escape
wait_until 20 test -s "$SESSION_DIR/ended" || fail "the show still runs"
[ "$(cat "$SESSION_DIR/ended")" = 27 ] || fail "exit code $(cat "$SESSION_DIR/ended") instead of 27"
session_alive || fail "the compositor has gone"
echo "sway: --root drew as the background and SIGTERM ended it; swayidle started the show"
