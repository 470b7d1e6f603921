#!/usr/bin/env bash
# Builds the Debian package from BUILD_DIR, runs lintian (no errors, no warning about the manual
# page or the links), installs it, checks where the hack, the program and its pictures landed,
# that `dravik` runs from the PATH and its manual page renders without warnings, validates MATE's
# entry and runs the installed hack under the real XScreenSaver daemon, MATE's screen saver and
# xsecurelock, removes it and checks nothing of it is left.
#   tests/package/deb.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
if dpkg-query -W dravik >/dev/null 2>&1; then echo "SKIP: dravik is installed here already"; exit 77; fi

bad=0
check() { "${@:2}" || { echo "FAIL: $1"; bad=1; }; }

out=$(mktemp -d)
on_exit "rm -rf $out"
OUT_DIR=$out "$root/scripts/package-deb.sh" "$1"
debs=("$out"/dravik_*.deb)
lint=$(lintian --fail-on none "${debs[@]}" 2>&1)
echo "$lint"
check "one package written" [ ${#debs[@]} -eq 1 ]
check "lintian reports no errors" eval '! grep -q "^E:" <<<"$lint"'
check "lintian has nothing to say of the manual page or the links" \
  eval '! grep -E "^[EW]: .*(man|link)" <<<"$lint"'

# Through apt, which waits for another package manager (automatic updates) to let go of dpkg.
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
on_exit "apt remove dravik >/dev/null 2>&1 || true"
apt install --no-install-recommends "${debs[0]}"
check "the hack is the program" [ "$(readlink -f /usr/libexec/xscreensaver/dravik)" = /usr/lib/dravik/dravik ]
check "Data beside the program" [ "$(readlink -f /usr/lib/dravik/Data)" = /usr/share/dravik/Data ]
check "dravik on the PATH is the program" [ "$(readlink -f "$(command -v dravik)")" = /usr/lib/dravik/dravik ]
# With no display it says so in its own words and ends: it runs, its libraries found.
check "dravik runs" eval '[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET dravik /s 2>&1)" = \
  "Error: Could Not Enumerate Display Settings" ]'
check "the manual page renders without warnings" eval '[ -z "$(man --warnings -l \
  /usr/share/man/man6/dravik.6.gz 2>&1 >/dev/null)" ] && man -l /usr/share/man/man6/dravik.6.gz | grep -q swayidle' 
check "the pictures, and only they, in Data" diff <(ls /usr/lib/dravik/Data/) <(sort "$1/pictures.txt")
check "settings entry" [ "$(xmllint --xpath 'string(/screensaver/@name)' \
  /usr/share/xscreensaver/config/dravik.xml)" = dravik ]
check "MATE's entry is valid" desktop-file-validate /usr/share/applications/screensavers/dravik.desktop
for h in xscreensaver mate xsecurelock; do check "the installed hack under $h" bash "$root/tests/hosted/host.sh" $h; done

mapfile -t paths < <(dpkg -L dravik | grep -v '^/\.$')
apt remove dravik
check "dpkg forgot the package" eval '! dpkg-query -W dravik >/dev/null 2>&1'
for p in "${paths[@]}"; do  # whatever is left must belong to another package
  if [ -e "$p" ] || [ -L "$p" ]; then check "left behind: $p" eval 'dpkg -S "$p" >/dev/null 2>&1'; fi
done
exit $bad
