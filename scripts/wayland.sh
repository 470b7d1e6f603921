# A Wayland desktop nested in a virtual display of its own, to try the show under it and for the
# tests that do; source it. By hand, from the project's root:
#   source scripts/wayland.sh; start_session sway
#   cp -r build/dravik build/Data "$SESSION_DIR/"; in_session "$SESSION_DIR/dravik" /s
#   [SESSION_SIZE=WxH] [SESSION_SCALE=2] [SESSION_OUTPUTS=2] [SESSION_XWAYLAND=0] [SESSION_IDLE=S] \
#     [SESSION_BAR=1] start_session sway|weston|mutter|kwin
# starts an Xvfb (SESSION_SIZE for each output, 1024x768 unless told, side by side, exported as
# OUTER: xdotool and screenshots go there, reaching the desktop the way a user's input does), the
# compositor in it through its X11 backend (its outputs scaled by SESSION_SCALE; weston puts them
# to sleep after SESSION_IDLE seconds without input, never by default; sway's with its bar, which
# keeps its strip of the output, with SESSION_BAR=1), and waits until the
# desktop accepts clients, and its Xwayland too unless SESSION_XWAYLAND=0. It exports the session's
# DISPLAY (empty without Xwayland), WAYLAND_DISPLAY, XAUTHORITY and XDG_RUNTIME_DIR; in_session
# runs a program inside as the compositor's user.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_session() {
  SESSION_NAME=$1 SESSION_USER=nobody
  SESSION_DIR=$(mktemp -d /tmp/dravik-wayland-XXXXXX)
  on_exit "rm -rf $SESSION_DIR"
  mkdir -m 700 "$SESSION_DIR/run" && mkdir "$SESSION_DIR/home"
  # Each desktop starts this once it is up: it leaves the desktop's environment for us. mutter
  # ends with the program it started, so there it stays as long as mutter does.
  printf '#!/bin/sh\nenv >%s/env.tmp && mv %s/env.tmp %s/env\n[ "$1" != stay ] || exec tail -f /dev/null --pid=$PPID\n' \
    "$SESSION_DIR" "$SESSION_DIR" "$SESSION_DIR" >"$SESSION_DIR/probe"
  chmod 755 "$SESSION_DIR" "$SESSION_DIR/probe"
  local scale=${SESSION_SCALE:-1} outputs=${SESSION_OUTPUTS:-1} xwayland=${SESSION_XWAYLAND:-1}
  local size=${SESSION_SIZE:-1024x768}
  SESSION_WIDTH=${size%x*} SESSION_HEIGHT=${size#*x}
  start_xvfb $((SESSION_WIDTH * outputs))x$SESSION_HEIGHT || return 1
  export OUTER=$DISPLAY
  # weston and KWin take an output's size in their own units: the scale times it in pixels.
  local width height cmd xw=(--xwayland) onoff=enable
  width=$(awk -v w="$SESSION_WIDTH" -v s="$scale" 'BEGIN { print int(w / s + 0.5) }')
  height=$(awk -v h="$SESSION_HEIGHT" -v s="$scale" 'BEGIN { print int(h / s + 0.5) }')
  [ "$xwayland" = 1 ] || xw=() onoff=disable
  case $SESSION_NAME in
    sway)
      printf 'xwayland %s\noutput * mode %s scale %s\nexec %s/probe\n' $onoff "$size" "$scale" "$SESSION_DIR" \
        >"$SESSION_DIR/config"
      [ "${SESSION_BAR:-0}" = 0 ] || printf 'bar {\n  position top\n}\n' >>"$SESSION_DIR/config"
      cmd=(env WLR_BACKENDS=x11 WLR_X11_OUTPUTS="$outputs" WLR_RENDERER=pixman sway -c "$SESSION_DIR/config") ;;
    weston)
      printf '[core]\nxwayland=%s\nidle-time=%s\n[shell]\nlocking=false\n[autolaunch]\npath=%s/probe\n' \
        "$([ "$xwayland" = 1 ] && echo true || echo false)" "${SESSION_IDLE:-0}" "$SESSION_DIR" >"$SESSION_DIR/weston.ini"
      cmd=(weston --backend=x11-backend.so --use-pixman "${xw[@]}" --width="$width" --height="$height"
        --scale="$scale" --output-count="$outputs" --socket=wayland-w --config="$SESSION_DIR/weston.ini") ;;
    mutter)
      cmd=(env MUTTER_DEBUG_DUMMY_MODE_SPECS="$size" MUTTER_DEBUG_DUMMY_MONITOR_SCALES="$scale"
        GSETTINGS_BACKEND=memory mutter --nested --wayland --wayland-display=wayland-m -- "$SESSION_DIR/probe" stay) ;;
    kwin)
      # kwin_wayland carries a file capability that a container refuses to grant: a copy runs.
      cp /usr/bin/kwin_wayland "$SESSION_DIR/"
      cmd=("$SESSION_DIR/kwin_wayland" --x11-display "$OUTER" "${xw[@]}" --socket wayland-k
        --width "$width" --height "$height" --scale "$scale" --output-count "$outputs" "$SESSION_DIR/probe") ;;
    *) echo "unknown desktop $SESSION_NAME" >&2; return 1 ;;
  esac
  chown -R "$SESSION_USER" "$SESSION_DIR"
  # A session bus of our own (mutter and KWin want one): dbus-run-session would leave it behind.
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$SESSION_DIR/bus
  runuser -u "$SESSION_USER" -- dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >/dev/null 2>&1 &
  on_exit "stop_pid $!"
  wait_until 30 test -S "$SESSION_DIR/bus" || { echo "no session bus" >&2; return 1; }
  runuser -u "$SESSION_USER" -- env HOME="$SESSION_DIR/home" XDG_RUNTIME_DIR="$SESSION_DIR/run" \
    DISPLAY="$OUTER" "${cmd[@]}" >"$SESSION_DIR/log" 2>&1 &
  SESSION_PID=$!
  on_exit "stop_pid $SESSION_PID"
  # Generous deadlines: a first start (caches still cold) took mutter 27 s here.
  wait_until 60 eval 'test -s "$SESSION_DIR/env" || ! session_alive' && session_alive ||
    { cat "$SESSION_DIR/log"; echo "$SESSION_NAME did not start" >&2; return 1; }
  local v
  for v in DISPLAY WAYLAND_DISPLAY XAUTHORITY XDG_RUNTIME_DIR; do
    export "$v=$(sed -n "s/^$v=//p" "$SESSION_DIR/env")"
  done
  [ "$xwayland" = 1 ] || DISPLAY=
  if [ "$xwayland" = 1 ]; then
    wait_until 60 in_session xdpyinfo >/dev/null 2>&1 || { cat "$SESSION_DIR/log"; echo "no Xwayland in $SESSION_NAME" >&2; return 1; }
  fi
  place_outputs "$outputs"
  # The pointer enters the desktop once: until then mutter gives the first window that shows
  # up a motion (the show ends at once).
  DISPLAY=$OUTER xdotool mousemove 512 384
}

# place_outputs N: the compositor's output windows on the outer display side by side, the first
# output's at the left (each backend opens them at the origin).
place_outputs() {
  local count=$1 ids i=0 id
  [ "$count" -gt 1 ] || return 0
  outputs() { DISPLAY=$OUTER xwininfo -root -children | sed -n "s/^ *\(0x[0-9a-f]*\) .* ${SESSION_WIDTH}x$SESSION_HEIGHT+.*/\1/p"; }
  wait_until 30 eval '[ "$(outputs | wc -l)" -ge $count ]' || return 1
  for id in $(outputs | sort); do DISPLAY=$OUTER xdotool windowmove "$id" $((SESSION_WIDTH * i++)) 0; done
}

# in_session COMMAND...: COMMAND as the desktop's user, a client of its Wayland and Xwayland.
# In a subshell (in_session CMD &, a pipe, $(...)) runuser replaces the subshell, so $! is its
# process: stop_pid ends it and runuser passes the SIGTERM on to COMMAND.
in_session() {
  local ex=()
  [ "$BASHPID" = $$ ] || ex=(exec)
  "${ex[@]}" runuser -u "$SESSION_USER" -- env HOME="$SESSION_DIR/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    DISPLAY="$DISPLAY" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" XAUTHORITY="$XAUTHORITY" \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" "$@"
}

# sway_msg ARGS...: swaymsg to the nested sway, as its user.
sway_msg() { in_session env SWAYSOCK="$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)" swaymsg "$@"; }

# session_alive: true while the compositor runs.
session_alive() { kill -0 "$SESSION_PID" 2>/dev/null; }

# outer_shot FILE.png: what the desktop shows, from the outer display. xwd keeps the server's
# pixel layout in its header, so convert reads it right whatever the compositor draws with.
outer_shot() { xwd -silent -root -display "$OUTER" | convert xwd:- "$1"; }
