#!/usr/bin/env bash
# The hack under the real XScreenSaver daemon on a virtual display: activated, it runs in the
# daemon's window and shows the show; deactivated, it has ended within 2 s; the daemon's log
# shows one launch and no abnormal end. The daemon refuses to launch hacks as root, so it runs
# as nobody with a home made here.
#   tests/hosted/daemon.sh HACK     (an installed hack, or a build's dravik with Data beside it)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
hack=$1
work=$(mktemp -d /tmp/dravik-daemon-XXXXXX)
on_exit "rm -rf $work"
chmod 755 "$work"
if [ -d "$(dirname "$hack")/Data" ] && [ "${hack#/usr/}" = "$hack" ]; then  # a build: a copy nobody can read
  mkdir "$work/app" && cp -r "$hack" "$(dirname "$hack")/Data" "$work/app/" && hack=$work/app/dravik
fi
# The daemon's fades stay on, as users have them: the fade back keeps its helper alive to log
# the hack's end.
printf '%s\n' "mode: one" "selected: 0" "lock: False" "splash: False" "dpmsEnabled: False" \
  "programs: $hack --root" >"$work/.xscreensaver"
chown -R nobody:nogroup "$work"
start_xvfb 800x600
as_nobody() { runuser -u nobody -- env HOME="$work" DISPLAY="$DISPLAY" "$@"; }
as_nobody sh -c 'echo $$ >"$0"; exec xscreensaver -no-splash -verbose' "$work/daemon.pid" \
  >"$work/daemon.log" 2>&1 &
wait_until 30 test -s "$work/daemon.pid"
daemon=$(cat "$work/daemon.pid")
on_exit "kill $daemon; wait_until 5 eval '! kill -0 $daemon 2>/dev/null'"
wait_until 60 as_nobody xscreensaver-command -time >/dev/null 2>&1

as_nobody xscreensaver-command -activate >/dev/null
wait_until 60 pgrep -u nobody -fx "$hack --root" >/dev/null || { cat "$work/daemon.log"; echo "FAIL: the hack was not launched"; exit 1; }
# The daemon fades the screen out before the hack's first frame: wait for the show itself.
wait_until 60 shows_the_show || { cat "$work/daemon.log"; echo "FAIL: no show on screen within 60 s"; exit 1; }

start=$(date +%s%N)
as_nobody xscreensaver-command -deactivate >/dev/null
wait_until 2 eval '! pgrep -u nobody -fx "$hack --root" >/dev/null' ||
  { cat "$work/daemon.log"; echo "FAIL: the hack still runs 2 s after deactivation"; exit 1; }
echo "the hack ended $(( ($(date +%s%N) - start) / 1000000 )) ms after deactivation"
wait_until 10 grep -q "child pid [0-9]* ($hack)" "$work/daemon.log" || true
launches=$(grep -c "forked \"$hack --root\"" "$work/daemon.log" || true)
ends=$(grep -E "child pid [0-9]+ \($hack\)" "$work/daemon.log" || true)
echo "daemon: $launches launch; ${ends#*: }"
[ "$launches" = 1 ] || { cat "$work/daemon.log"; echo "FAIL: $launches launches"; exit 1; }
[ "$(grep -c "exited normally with SIGTERM" <<<"$ends")" = "$(wc -l <<<"$ends")" ] ||
  { cat "$work/daemon.log"; echo "FAIL: the daemon saw an abnormal end"; exit 1; }
