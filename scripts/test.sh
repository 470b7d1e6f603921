#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, picture, platform, end-to-end,
# render, Wayland desktop, daemon and package tests, the sanitizer and fuzzing run, and the
# Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure -j 2)
bash scripts/sanitize-and-fuzz.sh
bash tests/windows/run.sh build   # packages Dravik.scr with build/Data, then runs it under Wine
