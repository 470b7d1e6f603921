#!/usr/bin/env bash
# End-to-end tests of the Windows build: the package's Dravik.scr under Wine on a private Xvfb
# (Wine's registry, message boxes and OpenGL), and beside the Linux build of the same sources.
#
#   tests/windows/run.sh [linux build folder]     (default build-wine/linux, made when missing)
#
# Prints one line per passed check and stops at the first that fails. Keeps the Wine prefix in
# build-wine/prefix; screenshots and traces go to build-wine/run. WIN_BUILD_DIR: the mingw build.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
tmp=$PWD/build-wine/run linux=$(realpath -m "${1:-build-wine/linux}") passed=0
win=$(realpath -m "${WIN_BUILD_DIR:-build-win}")
# check WHAT COMMAND...: one line when COMMAND succeeds, the end of the run when it does not.
check() { "${@:2}" || { echo "windows: FAILED: $1" >&2; exit 1; }; echo "ok: $1"; passed=$((passed + 1)); }

type -P wine xdotool xwd convert compare unzip >/dev/null || bash scripts/install-deps.sh
rm -rf "$tmp" && mkdir -p "$tmp"
[ -f "$linux/build.ninja" ] || cmake -S . -B "$linux" -G Ninja -DDRAVIK_BENCH=OFF >/dev/null
package=$(bash scripts/package-windows.sh "$linux" | cut -d' ' -f1)
ninja --quiet -C "$linux" dravik stardump && ninja --quiet -C "$win" stardump parentwin resinfo
unzip -q "$package" -d "$tmp" && app=$tmp/Dravik

start_xvfb 640x480
export WINEPREFIX=$PWD/build-wine/prefix WINEARCH=win64 WINEDEBUG=-all HOME=$PWD/build-wine/home
export XDG_CONFIG_HOME=$HOME/.config  # no setting for the Linux build: full screen
mkdir -p "$HOME" && on_exit 'wineserver -k 2>/dev/null; true'
[ -f "$WINEPREFIX/system.reg" ] || wineboot -u >/dev/null 2>&1
# Without a window manager, Wine must manage no window itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
setting() { wine reg add 'HKCU\Software\VB and VBA Program Settings\VORTEQ\Screensaver1' \
  /v ParentHWND /d "$1" /f >/dev/null 2>&1; }

# saver NAME FOLDER: FOLDER/Dravik.scr /s, started from $tmp with the cursor at rest, in the
# background; Wine's message-box and OpenGL trace go to $tmp/NAME.err, the exit code to NAME.rc.
# Niced, so that the screenshots are taken without delay.
saver() { xdotool mousemove 200 150 && sleep 0.3
  (set +e; cd "$tmp"; WINEDEBUG=-all,+msgbox,+wgl nice wine "$2/Dravik.scr" /s 2>"$1.err"; echo $? >"$1.rc") & }
# ends NAME CODE: the run ends within 30 s (or has ended) with exit code CODE.
ends() { wait_until 30 test -s "$tmp/$1.rc" && [ "$(cat "$tmp/$1.rc")" = "$2" ]; }
boxes() { tr -d '\r' <"$tmp/$1.err" | sed -n 's/.*trace:msgbox:MSGBOX_OnInit L"\(.*\)"$/\1/p'; }
quiet_end() { ends "$@" && [ -z "$(boxes "$1")" ]; }  # ... and no message box came up
full_screen() { xdotool search --onlyvisible --name '^Dravik Screensaver$' getwindowgeometry \
  2>/dev/null | tr -d '\n' | grep -q 'Position: 0,0 .*Geometry: 640x480'; }
# shot NAME: a screenshot of the first seconds of the show, 3.7 s in.
shot() { sleep 3.7 && xwd -root -silent >"$tmp/$1.xwd"; }

version=$(sed -n 's/^project(dravik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
wine "$win/resinfo.exe" "$app/Dravik.scr" | tr -d '\r' >"$tmp/resources" || true
check "Dravik-$version-windows.zip: Windows reads Dravik.scr's name, version, icon sizes" test \
  "${package##*/}: $(sed -n 1p "$tmp/resources")" = \
  "Dravik-$version-windows.zip: Dravik, version $version.0, product Dravik, icon 16 32 48 256"
check "its manifest: per-monitor DPI aware, as invoker" grep -qz '>true/pm<.*>PerMonitorV2, PerMonitor<.*"asInvoker"' "$tmp/resources"
check "the package carries the licence" cmp <(sed 's/$/\r/' LICENSE) "$app/LICENSE.txt"

setting 0
saver win "$app"
check "Dravik.scr /s from the package, started from elsewhere, runs full screen" wait_until 30 full_screen
check "it presents frames" wait_until 60 grep -qs wglSwapBuffers "$tmp/win.err"
shot win
# The middle of the screen: its colours, and whether it is drawn (not near black) almost everywhere.
read -r colours lit < <(convert "xwd:$tmp/win.xwd" -write "$tmp/full.png" -gravity center \
  -crop 50%x50%+0+0 +repage -format '%k ' -write info: -colorspace gray -threshold 4% \
  -format '%[fx:mean > 0.9]\n' info:)
check "it draws the show: the middle lit, $colours colours ($tmp/full.png)" test "$lit" = 1 -a "$colours" -ge 16
xdotool key Escape
check "a tap of Escape ends it with exit code 27; no message box came up" quiet_end win 27

# The Linux build on the same display, at the same moment of its show.
nice "$linux/dravik" /s &
check "so does the Linux build" wait_until 30 full_screen
shot linux && stop_pid $!
# Where the scroller's letters stand in the band they wave through (y 200 to 440) depends on the
# moment of the screenshot. Outside it both show the same desktop, compared in 80 x 60 cells; in
# it, both about as much of the letters' red (per mille of its pixels).
for b in win linux; do convert "xwd:$tmp/$b.xwd" -fill black -draw 'rectangle 0,200 639,439' \
  -scale 12.5% "$tmp/$b.png"; done
cells=$(compare -metric AE -fuzz 8% "$tmp/win.png" "$tmp/linux.png" null: 2>&1 || true)
check "the same desktop on both: $cells of the 2400 cells outside the band differ" test "$cells" -le 24
red() { convert "xwd:$tmp/$1.xwd" -crop 640x240+0+200 +repage -fx 'r > g + 0.25' -format '%[fx:round(mean*1000)]' info:; }
read -r w l < <(echo "$(red win) $(red linux)")
check "and the scroller on both: $w and $l per mille red" \
  test "$w" -ge 5 -a $((4 * w)) -ge $((3 * l)) -a $((4 * l)) -ge $((3 * w))

mkdir "$tmp/nodata" && cp "$app/Dravik.scr" "$tmp/nodata/"
saver nodata "$tmp/nodata"
# new_box: true once a message box other than the last one ($box) shows; it becomes $box.
new_box() { local w; w=$(xdotool search --onlyvisible --name \
  '^(LoadABitmap Error|getPixelData|CDoubleBitmap)$' 2>/dev/null | sed -n 1p) || return
  [ "$w" != "${box:-}" ] && box=$w; }
for _ in $(seq 15); do
  wait_until 20 new_box || break
  xdotool getwindowname "$box" >>"$tmp/captions" && xdotool windowfocus --sync "$box" key Return
done
check "without Data, the show runs after the message boxes" wait_until 20 full_screen
xdotool mousemove_relative 1 0 && check "a mouse movement ends it" ends nodata 0
L="LoadABitmap Error|can't read file.." G='getPixelData|Is NULL' C='CDoubleBitmap|CDoubleBitmap() 1st bitmap has no data.'
printf '%s\n' "$L" "$G" "$L" "$G" "$L" "$L" "$C" "$L" "$L" "$C" "$L" "$L" "$C" "$L" "$G" >"$tmp/boxes.expected"
check "the fifteen message boxes came in load order, each closed by Return" \
  diff "$tmp/boxes.expected" <(boxes nodata | paste -d'|' "$tmp/captions" -)

setting 1234567
saver gone "$app"
check "preview of a ParentHWND naming no window ends after start-up, without boxes" quiet_end gone 0
(cd "$tmp" && wine "$win/parentwin.exe" parent.gone >parent.out) &
wait_until 30 test -s "$tmp/parent.out" && setting "$(sed -n 1p "$tmp/parent.out" | tr -d '\r')"
saver child "$app"
# Wine shows no OpenGL drawing in a child of another process's window, so the preview is seen
# through the frames it presents and the parent's window tree.
presents() { [ ! -e "$tmp/child.rc" ] && [ "$(grep -cs wglSwapBuffers "$tmp/child.err")" -gt 10 ] 2>/dev/null; }
check "preview presents frames" wait_until 30 presents
touch "$tmp/parent.gone"
check "in a child of the window ParentHWND names" wait_until 10 grep -q '^child: Dravik Screensaver' "$tmp/parent.out"
check "and ends when that window goes away, without boxes" quiet_end child 0

wine "$win/stardump.exe" | tr -d '\r' >"$tmp/stars.win" && "$linux/stardump" >"$tmp/stars.linux"
check "both builds place the same 500 stars" diff "$tmp/stars.win" "$tmp/stars.linux"
check "the placement's generator gives the Windows C runtime's unseeded rand sequence" wine "$win/stardump.exe" rand
echo "windows: all $passed checks passed"
