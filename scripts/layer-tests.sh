#!/usr/bin/env bash
# The tests that can notice a change in the Linux layer, for what the checkout changes there
# (against its HEAD): the X11 system's (platform, end-to-end and daemon tests, then the Wayland
# desktops through Xwayland), the Wayland system's (the native desktop tests), or for the calls
# both share, some of each. Fastest first, stopping at the first failure. The mutation tool's test
# command over the layer:
#   python3 ../shared/tools/mutate.py --count 80 --seed 2 --timeout 1200 \
#     --build 'ninja -C BUILD dravik platform_test screensaver_test desktop_test dravik_cursor_pixels dravik_box_picture dravik_green_box dravik_startup_probe' \
#     --test 'bash scripts/layer-tests.sh BUILD' platform/linux
#   scripts/layer-tests.sh BUILD_DIR
set -uo pipefail
build=$1
changed=$(git diff --name-only HEAD -- platform/linux)
x11='^wayland_(xwayland_.*|sway_scaled)$'
native='^wayland_(sway|weston|mutter|kwin|kwin_scaled_fractional|weston_sleep|sway_background)$'
both='^wayland_(sway|weston|xwayland_sway|xwayland_kwin|weston_sleep|sway_background)$'
run() { ctest --test-dir "$build" --stop-on-failure --timeout 400 -j2 "$@"; }
case $changed in
  *platform/linux/wayland/*) run -R "$native|^Screensaver\.ShowsOnX" ;;
  *platform/linux/x11/*) run -L 'platform|e2e|daemon' && run -R "$x11" ;;
  *) run -L 'platform|e2e|daemon' && run -R "$both" ;;
esac
