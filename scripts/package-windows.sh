#!/usr/bin/env bash
# Builds the Windows screen saver with mingw-w64 and writes the ready-to-install package
# out/Dravik-<version>-windows.zip: Dravik.scr (statically linked, with its name, version, icon
# and manifest), its Data/ folder, INSTALL.txt and LICENSE.txt.
#
#   scripts/package-windows.sh [linux build folder]
#
# The pictures are made by a program that runs on the build machine, so Data/ comes from a
# Linux build: the folder given (default build-wine/linux, configured here when it is new),
# whose 'pictures' target is built first. Environment: WIN_BUILD_DIR (default build-win),
# PACKAGE (default out/Dravik-<version>-windows.zip, with the project's version).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

linux_build=${1:-build-wine/linux}
win_build=${WIN_BUILD_DIR:-build-win}
jobs=${JOBS:-2}

for tool in x86_64-w64-mingw32-g++ zip cmake ninja; do
  command -v "$tool" >/dev/null || { echo "package-windows: '$tool' missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# The Windows executable.
if [ ! -f "$win_build/build.ninja" ]; then
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
ninja -j "$jobs" -C "$win_build" Dravik >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win_build/CMakeCache.txt")
package=${PACKAGE:-out/Dravik-$version-windows.zip}

# The pictures, from the Linux build.
if [ ! -f "$linux_build/build.ninja" ]; then
  cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDRAVIK_TESTS=OFF -DDRAVIK_BENCH=OFF >/dev/null
fi
ninja -j "$jobs" -C "$linux_build" pictures >/dev/null
data="$linux_build/Data"
mapfile -t pictures <"$linux_build/pictures.txt"
for p in "${pictures[@]}"; do
  [ -f "$data/$p" ] || { echo "package-windows: $data/$p was not made" >&2; exit 1; }
done

# Nothing beyond Windows' own DLLs may be needed at run time.
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|WINMM|OPENGL32|GLU32|msvcrt)\.dll$'
foreign=$(x86_64-w64-mingw32-objdump -p "$win_build/Dravik.scr" | sed -n 's/^\s*DLL Name: //p' |
  grep -viE "$system_dlls" || true)
if [ -n "$foreign" ]; then
  echo "package-windows: Dravik.scr needs DLLs that Windows does not have: $foreign" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Dravik/Data"
cp "$win_build/Dravik.scr" "$stage/Dravik/"
x86_64-w64-mingw32-strip "$stage/Dravik/Dravik.scr"
for p in "${pictures[@]}"; do cp "$data/$p" "$stage/Dravik/Data/"; done
# Windows users read the notes in Notepad: CR LF line ends.
sed "s/@VERSION@/$version/; s/\$/\r/" packaging/INSTALL.txt >"$stage/Dravik/INSTALL.txt"
sed 's/$/\r/' LICENSE >"$stage/Dravik/LICENSE.txt"

case "$package" in /*) ;; *) package="$root/$package" ;; esac
mkdir -p "$(dirname "$package")"
rm -f "$package"
(cd "$stage" && zip -q -X -r "$package" Dravik)
echo "$package ($(stat -c %s "$package") bytes; Dravik.scr $(stat -c %s "$stage/Dravik/Dravik.scr") bytes)"
