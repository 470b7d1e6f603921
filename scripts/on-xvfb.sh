#!/usr/bin/env bash
# Runs a command on a virtual display of its own, and stops the display afterwards.
#   scripts/on-xvfb.sh [--size WIDTHxHEIGHT] [--openbox] -- COMMAND [ARGS...]
# The size defaults to 1024x768; --openbox starts the window manager openbox on it first.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
size=1024x768 wm=0
while [ $# -gt 0 ]; do
  case $1 in
    --size) size=$2; shift 2 ;;
    --openbox) wm=1; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
start_xvfb "$size" || exit 1
if [ $wm = 1 ]; then start_openbox || { echo "openbox did not start" >&2; exit 1; }; fi
"$@"
