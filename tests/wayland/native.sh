#!/usr/bin/env bash
# `dravik /s` as a native Wayland program (DISPLAY unset) on a desktop nested in a virtual display,
# its input through the compositor as a user's is.
#   tests/wayland/native.sh sway|weston|mutter|kwin BUILD_DIR [main|scaled|scaled-fractional|sleep]
# main: with the pointer parked on the empty desktop, then over a full-screen terminal, the show
#   covers the output at its full pixels with no pointer over it; it stays up 5 s without input;
#   a one-pixel movement ends a run with 0, a click with 1, a right click with Shift and Ctrl held
#   with 14 (MK_RBUTTON | MK_SHIFT | MK_CONTROL), Escape with 27 (and the terminal gets no key);
#   with Data missing each of the fifteen boxes shows above it in its middle, laid out right, and
#   Return closes it. sway runs without Xwayland and with its bar (the show covers it too), and then
#   scales its output by 2 while the show runs: the show follows, whole, with every pixel of the
#   output.
# scaled: the output scaled (by 2; KWin's also by 1.5 as scaled-fractional), sway's and weston's
#   with a second output on which a window shows: the whole show at the output's full pixels, the
#   other output black, one Escape ends it; on sway the X11 program through Xwayland covers the
#   second output with black too.
# sleep (weston): the desktop goes to sleep without input (the output powered off, no frame
#   callbacks): the show draws nothing and costs under 0.02 CPU-s/s; SIGTERM ends it within 1 s;
#   in another run a key that wakes the desktop has it draw again.
# The compositor still runs at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wayland.sh"
source "$here/checks.sh"
desktop=$1 build=$(realpath "$2") scenario=${3:-main}
CURSOR_PIXELS=$build/dravik_cursor_pixels BOX_PICTURE=$build/dravik_box_picture
GREEN_BOX=$build/dravik_green_box
case $scenario in
  main) [ "$desktop" != sway ] || export SESSION_XWAYLAND=0 SESSION_BAR=1 ;;
  scaled) export SESSION_SCALE=2
    [ "$desktop" = kwin ] && export SESSION_XWAYLAND=0 || export SESSION_OUTPUTS=2 ;;
  scaled-fractional) export SESSION_SCALE=1.5 SESSION_XWAYLAND=0 ;;
  sleep) export SESSION_IDLE=10 SESSION_XWAYLAND=0 ;;
esac
start_session "$desktop"
app_dir "$build"
typed=$SESSION_DIR/typed
# Each frame the show presents is written to $swaps with its buffer's size in pixels.
cp "$build/libdravik_startup_probe.so" "$app/" && swaps=$SESSION_DIR/swaps && touch "$swaps"
chown "$SESSION_USER" "$app/libdravik_startup_probe.so" "$swaps"

# start_show DIR [ENV...]: dravik /s from DIR, natively.
start_show() {
  in_session env -u DISPLAY DRAVIK_PROBE_SWAPS="$swaps" LD_PRELOAD="$app/libdravik_startup_probe.so" \
    "${@:2}" "$1/dravik" /s 2>"$SESSION_DIR/err" &
  saver=$!
}
# The last frame went to a buffer of the output's pixels (KWin's 1.5 rounds the width up by one).
full_buffer() {
  local w h
  read -r _ w h < <(tail -n 1 "$swaps")
  ((w >= SESSION_WIDTH && w <= SESSION_WIDTH + 1 && h == SESSION_HEIGHT))
}
# up: the show (its first 15 s) is on the first output, whole, at the output's pixels, with no
# pointer over it.
up() {
  wait_until 60 eval 'output_shot 1 "$SESSION_DIR/shot.png" && whole "$SESSION_DIR/shot.png" >/dev/null' ||
    fail "not the whole show on the output: $(whole "$SESSION_DIR/shot.png")"
  wait_until 10 full_buffer || fail "frames of $(tail -n 1 "$swaps")"
  wait_until 10 pointer_hidden || fail "a pointer over the show"
}

if [ "$scenario" = main ]; then
  # The pointer on the empty desktop.
  right="keydown shift keydown ctrl click 3 keyup ctrl keyup shift/14"
  for run in "mousemove_relative 1 0/0" "click 1/1" "$right"; do
    park
    start_show "$app"
    up
    [ "$run" != "mousemove_relative 1 0/0" ] || ! wait_until 5 eval '! kill -0 $saver 2>/dev/null' || fail "it ended by itself"
    outer xdotool ${run%/*}
    ends "${run#*/}"
  done
  printf '#!/bin/sh\nstty raw -echo\nexec cat >%s\n' "$typed" >"$app/keep-typed" && chmod 755 "$app/keep-typed"
  in_session weston-terminal --fullscreen --shell="$app/keep-typed" >/dev/null 2>&1 &
  on_exit "stop_pid $!"
  wait_until 60 test -e "$typed" || fail "no terminal"
  for run in "key x y z Escape/27" "mousemove_relative 0 1/0"; do  # over the terminal
    park
    start_show "$app"
    up
    outer xdotool ${run%/*}
    ends "${run#*/}"
  done
  [ ! -s "$typed" ] || fail "the terminal got keys: $(od -c "$typed" | head -2)"
  # A box has closed: the next one came, or after the last the show draws (its quads white).
  closed() {
    [ "$(wc -l <"$SESSION_DIR/err")" -gt "$box" ] ||
      { [ "$box" = 15 ] && output_shot 1 "$SESSION_DIR/shot.png" && shows "$SESSION_DIR/shot.png"; }
  }
  start_show "$app/nodata"
  for box in $(seq 15); do
    wait_until 30 eval '[ "$(wc -l <"$SESSION_DIR/err")" -ge $box ]' || fail "no box $box"
    wait_until 30 box_shown --centred ||
      fail "box $box ($(tail -n 1 "$SESSION_DIR/err")): $("$BOX_PICTURE" "$SESSION_DIR/shot.png" --centred)"
    wait_until 30 eval 'outer xdotool key Return; wait_until 2 closed' || fail "box $box stays"
  done
  outer xdotool key Escape  # the show without its pictures
  ends 27
  if [ "$desktop" = sway ]; then  # the output scaled by 2 while the show runs: it follows
    start_show "$app"
    up
    sway_msg output '*' scale 2 >/dev/null
    wait_until 30 eval 'output_shot 1 "$SESSION_DIR/shot.png" && whole "$SESSION_DIR/shot.png" >/dev/null &&
      sharp "$SESSION_DIR/shot.png" >/dev/null' || fail "not whole at the scaled output's full pixels"
    outer xdotool key Escape
    ends 27
  fi
elif [[ $scenario = scaled* ]]; then
  if [ "${SESSION_OUTPUTS:-1}" = 2 ]; then  # a bright window on the second output
    outer xdotool mousemove 1536 384
    [ "$desktop" != sway ] || sway_msg focus output X11-2 >/dev/null
    in_session weston-simple-shm >/dev/null 2>&1 &
    on_exit "stop_pid $!"
    wait_until 60 eval 'output_shot 2 "$SESSION_DIR/two.png" && ! convert "$SESSION_DIR/two.png" -format "%[fx:maxima < 0.1]" info: | grep -q 1' ||
      fail "no window on the second output"
  fi
  second_black() {
    wait_until 20 eval 'output_shot 2 "$SESSION_DIR/two.png" && convert "$SESSION_DIR/two.png" -format "%[fx:maxima < 0.1]" info: | grep -q 1' ||
      fail "the second output is not black"
  }
  park
  start_show "$app"
  up
  sharp "$SESSION_DIR/shot.png" || fail "not at the output's full pixels"
  [ "${SESSION_OUTPUTS:-1}" = 1 ] || second_black
  outer xdotool key Escape
  ends 27
  # Through Xwayland a black window covers the second output. (weston keeps its panel above it.)
  if [ "${SESSION_OUTPUTS:-1}" = 2 ] && [ "$desktop" = sway ]; then
    start_show "$app" DRAVIK_BACKEND=x11 DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY"
    wait_until 60 eval 'output_shot 1 "$SESSION_DIR/shot.png" && whole "$SESSION_DIR/shot.png" >/dev/null' ||
      fail "no X11 show on the first output"
    second_black
    outer xdotool key Escape
    ends 27
  fi
else  # sleep
  asleep() { output_shot 1 "$SESSION_DIR/shot.png" && convert "$SESSION_DIR/shot.png" -format '%[fx:maxima < 0.05]' info: | grep -q 1; }
  settled() { local n; n=$(wc -l <"$swaps"); sleep 1; [ "$(wc -l <"$swaps")" = "$n" ]; }  # no frame for 1 s
  for run in term wake; do
    outer xdotool key shift  # the desktop wakes, and sleeps again after 10 s without input
    start_show "$app"
    up
    wait_until 60 asleep || fail "the desktop did not sleep"
    wait_until 30 settled || fail "it draws on while the desktop sleeps"
    if [ $run = term ]; then
      costs_nothing "asleep"
      terminated 0
    else
      frames=$(wc -l <"$swaps")
      outer xdotool key shift
      wait_until 30 eval '[ $(wc -l <"$swaps") -gt $((frames + 30)) ]' || fail "no frames after waking"
      up
      outer xdotool key Escape
      ends 27
    fi
  done
fi
session_alive || fail "the compositor has gone"
echo "$desktop ($scenario): passed"
