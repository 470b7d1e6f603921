#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the Windows build need.
# Safe to run again: only what is missing is installed.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # Linux program: Xlib and its extensions (RandR, Xinerama, the screen saver), GLX, OpenGL, GLU
  libx11-dev libxrandr-dev libxinerama-dev libxss-dev libxext-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  # Linux program on Wayland: the client library and its protocol scanner, the protocols,
  # xkbcommon for keys, EGL, and cairo for the message box
  libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev libegl-dev libegl1-mesa-dev
  libcairo2-dev
  # picture generator: glyphs rendered from a Debian font
  libfreetype-dev fonts-dejavu-core
  # tests and benchmarks
  libgtest-dev libxtst-dev libxfixes-dev valgrind libxml2-utils iproute2
  clang libclang-rt-14-dev
  # virtual display, scripted input, screenshots, the X server's settings
  xvfb xauth x11-utils x11-apps x11-xserver-utils xdotool imagemagick
  # the peers Linux users have: a window manager, the screen-saver hosts, the package tools
  openbox xscreensaver lintian mate-screensaver xsecurelock desktop-file-utils
  # Wayland desktops nested in Xvfb, with Xwayland, a session bus and a terminal of each kind
  sway weston mutter kwin-wayland xwayland dbus-daemon xterm
  # what Wayland users start it with, and a look at each desktop's protocols
  swayidle wayland-utils
  # the manual page rendered as users read it
  man-db
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
  # Another package manager (automatic updates) may hold dpkg's lock for a while: wait for it.
  lock=(-o DPkg::Lock::Timeout=300)
  $SUDO apt-get "${lock[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi
