#!/usr/bin/env bash
# The hack under a real screen-saver host on a virtual display: the XScreenSaver daemon, MATE's
# screen saver (choosing the package's entry) or the xsecurelock locker. Activated, exactly one
# hack runs, in the window the host names, and the screen shows the show; deactivated (the locker
# unlocked), it has ended within 2 s; the host, told to exit, leaves nothing running. The daemons
# refuse to launch hacks as root, so the host runs as nobody with a home made here.
#   tests/hosted/host.sh xscreensaver|mate|xsecurelock [HACK]
# HACK: the installed one (the default), or for xscreensaver a build's dravik with Data beside it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
host=$1 hack=${2:-/usr/libexec/xscreensaver/dravik}; prog=$hack
work=$(mktemp -d "/tmp/dravik-$host-XXXXXX")
on_exit "rm -rf $work"
if [ -d "$(dirname "$hack")/Data" ] && [ "${hack#/usr/}" = "$hack" ]; then  # a build: a copy nobody can read
  mkdir "$work/app" && cp -r "$hack" "$(dirname "$hack")/Data" "$work/app/" && hack=$work/app/dravik prog=$work/app/dravik
elif [ "$host" = xscreensaver ]; then prog=dravik; fi  # installed: named as the README does
# Per host: how it starts (writing its process id and session bus) and its control program with
# the words for activate, deactivate and exit.
run='echo $$ "$DBUS_SESSION_BUS_ADDRESS" >"$HOME/host"; exec'
case $host in
  xscreensaver)  # fades on, as users have them
    printf '%s\n' "mode: one" "selected: 0" "lock: False" "programs: $prog --root" >"$work/.xscreensaver"
    start=(sh -c "$run xscreensaver -no-splash -verbose") ctl=(xscreensaver-command -activate -deactivate -exit) ;;
  mate)  # the settings as a MATE session keeps them, in a key file; no lock, so no password dialog
    mkdir -p "$work/.config/glib-2.0/settings" && printf '%s\n' "[org/mate/screensaver]" "mode='single'" \
      "themes=['screensavers-dravik']" "lock-enabled=false" >"$work/.config/glib-2.0/settings/keyfile"
    start=(env XDG_CURRENT_DESKTOP=MATE GSETTINGS_BACKEND=keyfile dbus-run-session -- sh -c "$run mate-screensaver --no-daemon --debug")
    ctl=(mate-screensaver-command --activate --deactivate --exit) ;;
  xsecurelock)  # it locks at once; a key unlocks it, through an authenticator that always agrees
    ln -s /bin/true "$work/auth_unlock"
    start=(env XSECURELOCK_SAVER="$hack" XSECURELOCK_AUTH="$work/auth_unlock" sh -c "$run xsecurelock")
    ctl=(xdotool version "key space" version) ;;  # it locks at once and needs no exit
esac
chown -R nobody:nogroup "$work"
start_xvfb 800x600
as_nobody() { runuser -u nobody -- env HOME="$work" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="${bus:-}" "$@"; }
as_nobody "${start[@]}" >"$work/host.log" 2>&1 &
wait_until 30 eval 'read -r daemon bus <"$work/host"' 2>/dev/null
on_exit "kill $daemon 2>/dev/null || true; wait_until 5 eval '! kill -0 $daemon 2>/dev/null'"
tell() { as_nobody "${ctl[0]}" ${ctl[$1]} >/dev/null 2>&1; }
fail() { cat "$work/host.log"; echo "FAIL: $1"; exit 1; }

wait_until 60 tell 1 || fail "the host did not activate"
# The daemons fade the screen out before the hack's first frame: wait for the show itself.
wait_until 60 shows_the_show || fail "no show on screen within 60 s"
pid=$(pgrep -u nobody -fx "$prog -{1,2}root" | xargs || :)  # exactly one, or the window is not found
xwininfo -children -id "$(grep -az ^XSCREENSAVER_WINDOW= "/proc/$pid/environ" | tr -d '\0' | cut -d= -f2)" |
  grep -q '("dravik"' || fail "not one hack ($pid) in the window its XSCREENSAVER_WINDOW names"

TIMEFORMAT="$host: waited %3R s for the hack to end after deactivation"
time { tell 2; wait_until 2 eval '! pgrep -u nobody -fx "$prog -{1,2}root" >/dev/null'; } || fail "it still runs after 2 s"
tell 3
wait_until 30 eval '! grep -lsqz "^HOME=$work\$" /proc/[0-9]*/environ' || fail "what the host started still runs"
