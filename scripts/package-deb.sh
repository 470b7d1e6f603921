#!/usr/bin/env bash
# Builds the Linux program and writes the Debian package out/dravik_<version>_<arch>.deb, the
# only one there (older ones are removed). The files and their places come from the build's
# install rules (component 'deb', cmake/debian.cmake); this script adds the control files.
#
#   scripts/package-deb.sh [build folder]
#
# The build folder (default build-deb) is configured here as a Release build when it is new.
# Environment: OUT_DIR (default out).
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

build=${1:-build-deb}
out=${OUT_DIR:-out}

for tool in cmake ninja dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "package-deb: '$tool' missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRAVIK_TESTS=OFF -DDRAVIK_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target dravik  # the program, and the pictures it needs

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
DESTDIR=$stage cmake --install "$build" --component deb --prefix /usr --strip >/dev/null

mkdir "$stage/DEBIAN"
{
  cat "$build/debian/control"
  echo "Installed-Size: $(du -sk "$stage/usr" | cut -f1)"
} >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"

field() { sed -n "s/^$1: //p" "$stage/DEBIAN/control"; }
package="$out/dravik_$(field Version)_$(field Architecture).deb"
mkdir -p "$out"
rm -f "$out"/dravik_*.deb
dpkg-deb --root-owner-group --build "$stage" "$package" >/dev/null
echo "$package ($(stat -c %s "$package") bytes)"
