#!/usr/bin/env bash
# A night of running, shortened: the build's dravik hosted (XSCREENSAVER_WINDOW, --root) in a window
# of a private Xvfb for MINUTES_HOSTED minutes, its resident memory and open descriptors sampled
# every minute; beside it, on a second Xvfb, the XScreenSaver daemon (as nobody, fades on) cycling
# to a new launch of the hack every minute for MINUTES_DAEMON minutes. Then the daemon's log says
# how every launch ended, and once it has exited, what is left: hacks, windows, X clients.
# The daemon's log is kept in /tmp/dravik-soak-daemon.log.
#   scripts/soak.sh [MINUTES_HOSTED] [MINUTES_DAEMON]     (or scripts/bench.sh --soak ...)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
hosted_min=${1:-30} daemon_min=${2:-20}
build=$(realpath -m "${BUILD_DIR:-build}")
[ -x "$build/dravik" ] || { echo "no $build/dravik: build first (scripts/build.sh)" >&2; exit 1; }
work=$(mktemp -d /tmp/dravik-soak-XXXXXX) && chmod a+x "$work"  # the daemon runs as nobody
on_exit "rm -rf $work"
export HOME=$work XDG_CONFIG_HOME=$work  # no setting
# The X server's clients: its connected sockets, one per client (the listening ones left out).
clients() { ss -xp state established | grep -c "pid=$XVFB_PID," || true; }

hosted() {
  DRAVIK_CLEANUP=() && start_xvfb 800x600
  xmessage -geometry 800x600+0+0 soak >/dev/null 2>&1 &
  on_exit "stop_pid $!"
  wait_until 30 eval 'win=$(xdotool search --class xmessage | head -1) && [ -n "$win" ]'
  XSCREENSAVER_WINDOW=$win "$build/dravik" --root >"$work/hosted.log" 2>&1 &
  local pid=$! m
  on_exit "stop_pid $pid"
  echo "minute RSS_kB fds"
  for ((m = 1; m <= hosted_min; m++)); do
    sleep 60  # a sample a minute
    kill -0 "$pid" 2>/dev/null || { echo "dravik ended before minute $m:"; cat "$work/hosted.log"; return 1; }
    echo "$m $(awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status") $(ls "/proc/$pid/fd" | wc -l)"
  done
}

daemon() {
  DRAVIK_CLEANUP=() && start_xvfb 800x600
  local home=$work/daemon dpid m
  mkdir -p "$home/app" && cp -r "$build/dravik" "$build/Data" "$home/app/"
  printf '%s\n' "mode: one" "selected: 0" "lock: False" "cycle: 0:01:00" \
    "programs: $home/app/dravik --root" >"$home/.xscreensaver"
  chown -R nobody:nogroup "$home"
  as_nobody() { runuser -u nobody -- env HOME="$home" DISPLAY="$DISPLAY" "$@"; }
  hacks() { pgrep -u nobody -cfx "$home/app/dravik -{1,2}root" || true; }
  windows() { xwininfo -root -children | grep -c '^ *0x' || true; }
  local clients0 windows0
  clients0=$(clients) windows0=$(windows)
  as_nobody sh -c 'echo $$ >"$HOME/pid"; exec xscreensaver -no-splash -verbose' >"$work/daemon.log" 2>&1 &
  wait_until 30 eval 'read -r dpid <"$home/pid"' 2>/dev/null
  on_exit "kill $dpid 2>/dev/null || true"
  wait_until 60 as_nobody xscreensaver-command -activate >/dev/null 2>&1
  echo "minute hacks_running X_clients root_windows"
  for ((m = 1; m <= daemon_min; m++)); do
    sleep 60  # a sample a minute
    echo "$m $(hacks) $(clients) $(windows)"
  done
  as_nobody xscreensaver-command -deactivate >/dev/null 2>&1 || true
  wait_until 30 eval '[ "$(hacks)" = 0 ]' || true
  as_nobody xscreensaver-command -exit >/dev/null 2>&1 || true
  wait_until 30 eval '! kill -0 $dpid 2>/dev/null' || echo "the daemon still runs 30 s after -exit"
  wait_until 10 eval '[ "$(clients)" = "$clients0" ]' || true
  local forked normal other
  forked=$(grep -c 'forked ".*/dravik ' "$work/daemon.log" || true)
  normal=$(grep -c 'exited normally' "$work/daemon.log" || true)
  other=$(grep -E 'child pid' "$work/daemon.log" | grep -v 'exited normally' || true)
  echo "launches of dravik (forked): $forked; ended \"exited normally\": $normal; other ends: $(grep -c . <<<"$other" || true)"
  [ -z "$other" ] || echo "$other"
  echo "after exit: hacks left $(hacks), daemon left $(kill -0 "$dpid" 2>/dev/null && echo 1 || echo 0)," \
    "windows on the root $(windows) (before the daemon $windows0)," \
    "X clients $(clients) (before the daemon $clients0)"
  cp "$work/daemon.log" "/tmp/dravik-soak-daemon.log"
}

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "Dravik soak, $(date -u '+%Y-%m-%d %H:%M') UTC, revision $(git rev-parse --short HEAD);" \
  "$cpu, $(nproc) cores, $(. /etc/os-release && echo "$PRETTY_NAME"); load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "hosted $hosted_min min, daemon (cycle 1 min) $daemon_min min, side by side ..." >&2
hosted >"$work/hosted.out" 2>&1 & hp=$!
daemon >"$work/daemon.out" 2>&1 & dp=$!
hs=0 ds=0
wait $hp || hs=$?
wait $dp || ds=$?
echo
echo "hosted dravik in an 800x600 window, sampled every minute:"
cat "$work/hosted.out"
awk '$1 ~ /^[0-9]+$/ { if (!n++) r1 = $2; last = $2; if (!f[$3]++) k++ }
  END { if (n) printf "RSS growth after minute 1: %+d kB (%d -> %d); distinct fd counts: %d\n", last - r1, r1, last, k }' \
  "$work/hosted.out"
echo
echo "XScreenSaver daemon, cycle 0:01:00:"
cat "$work/daemon.out"
echo "load at the end $(cut -d' ' -f1-3 /proc/loadavg)"
[ $hs = 0 ] && [ $ds = 0 ]
