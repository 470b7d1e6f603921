# Shell pieces the scripts and the shell tests share; source it. Everything started here is
# stopped by its process id when the sourcing script exits.

DRAVIK_CLEANUP=()
# on_exit COMMAND: runs COMMAND (with eval) when the script exits, the latest first.
on_exit() {
  DRAVIK_CLEANUP=("$1" "${DRAVIK_CLEANUP[@]}")
  trap 'for c in "${DRAVIK_CLEANUP[@]}"; do eval "$c"; done' EXIT
}

# stop_pid PID: ends a process we started and waits for it.
# (A killed process's status would end a cleanup run under set -e: it is ignored.)
stop_pid() {
  { kill "$1" && wait "$1"; } 2>/dev/null || true
}

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, false if it has not within SECONDS.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
}

# start_xvfb WIDTHxHEIGHT [Xvfb options...]: a virtual display on a free number, exported as
# DISPLAY. -noreset keeps its settings (xset, xrandr) when the last client disconnects.
start_xvfb() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset "${@:2}" 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  on_exit "stop_pid $XVFB_PID"
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$number"
}

# start_openbox: the window manager on $DISPLAY, ready once it has announced itself.
start_openbox() {
  openbox --sm-disable >/dev/null 2>&1 &
  OPENBOX_PID=$!
  on_exit "stop_pid $OPENBOX_PID"
  wait_until 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

# shows_the_show [WINDOW]: true when the window (default: the whole screen) shows the show
# rather than a blank or a fade: lit on average and in many colours.
shows_the_show() {
  local stats
  stats=$(import -silent -window "${1:-root}" miff:- 2>/dev/null | convert miff:- -format '%[fx:mean] %k' info:) ||
    return 1
  awk -v m="${stats% *}" -v c="${stats#* }" 'BEGIN { exit !(m > 0.1 && c > 100) }'
}
