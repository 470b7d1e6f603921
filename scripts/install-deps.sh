#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the Windows build need.
# Safe to run again: only what is missing is installed.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # Linux program: Xlib, GLX, OpenGL, GLU
  libx11-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  # picture generator: glyphs rendered from a Debian font
  libfreetype-dev fonts-dejavu-core
  # tests and benchmarks
  libgtest-dev valgrind
  clang libclang-rt-14-dev
  # virtual display, scripted input, screenshots
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  # Windows build and its end-to-end tests
  g++-mingw-w64-x86-64 wine wine64 zip unzip file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
