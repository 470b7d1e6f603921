#!/usr/bin/env bash
# End-to-end tests of the Windows build: Dravik.scr from the package, run under Wine on a
# private Xvfb, with Wine's registry, message boxes and OpenGL (Mesa underneath). Also compares
# it with the Linux build of the same sources on the same display, and prints start-up time and
# frame rate of both.
#
#   tests/windows/run.sh [linux build folder]     (default build-wine/linux, made when missing)
#
# Environment: DRAVIK_WINE_DIR  work folder with the Wine prefix, reused between runs
#                               (default build-wine); WIN_BUILD_DIR (default build-win).
# The last line is "windows: N passed, M failed"; the exit code is non-zero when any failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)

linux_build=${1:-build-wine/linux}
work=${DRAVIK_WINE_DIR:-$root/build-wine}
case "$work" in /*) ;; *) work="$root/$work" ;; esac
case "$linux_build" in /*) ;; *) linux_build="$root/$linux_build" ;; esac
export WIN_BUILD_DIR=${WIN_BUILD_DIR:-build-win}

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1${2:+: $2}"; }
check() { # name condition-status [detail]
  if [ "$2" -eq 0 ]; then pass "$1"; else fail "$1" "${3:-}"; fi
}
finish() {
  echo "windows: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
note() { echo "     $*"; }
section() { echo "== $1 (at ${SECONDS} s)"; }

# --- tools, builds, package -----------------------------------------------------------------

need=(x86_64-w64-mingw32-g++ wine wineserver Xvfb xdotool xwd zip unzip cmake ninja gcc g++)
for tool in "${need[@]}" convert compare; do
  if ! command -v "$tool" >/dev/null; then
    bash scripts/install-deps.sh || { fail "setup" "could not install the tools"; finish; }
    break
  fi
done
# The real ImageMagick programs, whatever stands before them on the PATH.
convert=$(command -v convert)
[ -x /usr/bin/convert ] && convert=/usr/bin/convert

mkdir -p "$work"
tmp="$work/run"
rm -rf "$tmp"
mkdir -p "$tmp"

if ! bash scripts/package-windows.sh "$linux_build" >"$tmp/package.log" 2>&1; then
  cat "$tmp/package.log"
  fail "package" "scripts/package-windows.sh failed"
  finish
fi
package=$root/out/Dravik-windows.zip
ninja -j 2 -C "$linux_build" dravik >"$tmp/linux.log" 2>&1 || { cat "$tmp/linux.log"; fail "linux build"; finish; }

# The helpers: the star table dumper for both platforms, the parent window for preview mode,
# the frame counter for the Linux program.
star_sources=(effects/starfield.cpp effects/msrand.cpp effects/floatmod.cpp tests/windows/stardump.cpp)
x86_64-w64-mingw32-g++ -std=c++17 -O2 -Wall -Wextra -I. "${star_sources[@]}" -static -lopengl32 \
  -o "$tmp/stardump.exe" &&
  g++ -std=c++17 -O2 -Wall -Wextra -I. "${star_sources[@]}" -lGL -o "$tmp/stardump" &&
  x86_64-w64-mingw32-g++ -O2 -Wall -Wextra tests/windows/parentwin.cpp -static -lgdi32 \
    -o "$tmp/parentwin.exe" &&
  gcc -O2 -Wall -Wextra -shared -fPIC tests/windows/swapcount.c -ldl -o "$tmp/swapcount.so" ||
  { fail "helpers" "the test helpers did not build"; finish; }

# The package, unpacked as a user would: Dravik.scr beside its Data folder.
unzip -q "$package" -d "$tmp/pkg" || { fail "package" "cannot unzip $package"; finish; }
app="$tmp/pkg/Dravik"

# --- display and Wine prefix ----------------------------------------------------------------

width=640
height=480
Xvfb -displayfd 5 -screen 0 ${width}x${height}x24 -nolisten tcp 5>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || { fail "display" "Xvfb did not start"; finish; }
export DISPLAY=":$(head -1 "$tmp/display")"

export WINEPREFIX="$work/prefix"
export WINEARCH=win64
export HOME="$work/home"
export WINEDEBUG=-all
mkdir -p "$HOME"
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  jobs -p | xargs -r kill 2>/dev/null
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "     creating the Wine prefix $WINEPREFIX"
  wineboot -u >"$tmp/wineboot.log" 2>&1 || { cat "$tmp/wineboot.log"; fail "prefix" "wineboot failed"; finish; }
fi
# Without a window manager Wine waits when a top-most window goes away, unless it manages none.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

setting_key='HKCU\Software\VB and VBA Program Settings\VORTEQ\Screensaver1'
set_parent() { wine reg add "$setting_key" /v ParentHWND /t REG_SZ /d "$1" /f >/dev/null 2>&1; }

# --- running the screen saver ---------------------------------------------------------------

now() { date +%s.%N; }
calc() { awk "BEGIN { print ($1) }"; }

# start NAME EXE ARGS...: runs a program in the background; its output goes to $tmp/NAME.out
# and .err, its exit code to $tmp/NAME.rc when it ends.
start() {
  local name=$1
  shift
  rm -f "$tmp/$name.rc"
  ("$@" >"$tmp/$name.out" 2>"$tmp/$name.err"; echo $? >"$tmp/$name.rc") &
}
# ended NAME SECONDS: waits until the program has ended by itself; true when it has.
ended() {
  local deadline=$(($(date +%s) + $2))
  while [ ! -s "$tmp/$1.rc" ]; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.05
  done
  return 0
}
exitcode() { cat "$tmp/$1.rc" 2>/dev/null; }
# The message boxes shown, in order, as "text" lines taken from Wine's message-box trace.
box_texts() { tr -d '\r' <"$tmp/$1.err" | sed -n 's/.*trace:msgbox:MSGBOX_OnInit L"\(.*\)"$/\1/p'; }
# Ends whatever is still running in the prefix, so one test's failure does not leak into the next.
reset_wine() {
  wineserver -k >/dev/null 2>&1
  sleep 0.2
}
find_window() { timeout "${2:-30}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1; }
# Before each start: the previous run's window is gone (so it cannot be mistaken for the new
# one) and the cursor stands still at a known place.
park_mouse() {
  for _ in $(seq 100); do
    xdotool search --name '^Dravik Screensaver$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool mousemove 200 150
  sleep 0.2
}
saver() { start "$1" env WINEDEBUG=-all,+msgbox wine "${2:-$app}/Dravik.scr" "${@:3}"; }
screenshot() { xwd -root -silent | "$convert" xwd:- "$1"; }

# --- tests ----------------------------------------------------------------------------------

section "package"
listing=$(unzip -Z1 "$package")
missing=""
for f in Dravik.scr INSTALL.txt "Data/Star.bmp" "Data/background2.bmp" "Data/tolvane image logo.bmp" \
  "Data/tolvane image logo mask.bmp" "Data/font2.bmp" "Data/font2darker.bmp" "Data/font2mask.bmp" \
  "Data/atari desktop.bmp"; do
  grep -qxF "Dravik/$f" <<<"$listing" || missing="$missing $f"
done
check "package holds Dravik.scr, INSTALL.txt and the eight pictures" "$([ -z "$missing" ]; echo $?)" "missing:$missing"
dlls=$(x86_64-w64-mingw32-objdump -p "$app/Dravik.scr" | sed -n 's/^\s*DLL Name: //p' | sort | tr '\n' ' ')
foreign=$(tr ' ' '\n' <<<"$dlls" | grep -viE '^(KERNEL32|USER32|GDI32|ADVAPI32|OPENGL32|GLU32|msvcrt)\.dll$' | grep . || true)
check "Dravik.scr needs only Windows' own DLLs ($dlls)" "$([ -z "$foreign" ]; echo $?)" "also needs: $foreign"
note "package $(stat -c %s "$package") bytes, Dravik.scr $(stat -c %s "$app/Dravik.scr") bytes"

section "run modes"
set_parent 0
for args in "/p 123" "/c" "/c:4660" "/a" "/s /x" "-s"; do
  # shellcheck disable=SC2086  # each word an argument, as Windows passes them
  saver mode "$app" $args
  if ended mode 30; then
    code=$(exitcode mode)
    boxes=$(box_texts mode | wc -l)
    check "'$args' ends at once with exit code 0 and shows nothing" \
      "$([ "$code" = 0 ] && [ "$boxes" = 0 ]; echo $?)" "exit code $code, $boxes message boxes"
  else
    fail "'$args' ends at once" "still running after 30 s"
    reset_wine
  fi
done

# A trailing blank stays part of the text, so "/s " is not "/s". Through cmd, which passes the
# command line as written (Wine's own launcher would quote an argument holding a blank).
scr_path=$(winepath -w "$app/Dravik.scr" 2>/dev/null | tr -d '\r\n')
if [[ "$scr_path" == *" "* ]]; then
  note "skipped '/s ' (blank): the path holds a blank: $scr_path"
else
  start blank env WINEDEBUG=-all,+msgbox wine cmd /c "$scr_path /s "
  if ended blank 30; then
    code=$(exitcode blank)
    check "'/s ' (with a trailing blank) ends at once with exit code 0 and shows nothing" \
      "$([ "$code" = 0 ] && ! box_texts blank | grep -q . && ! grep -q "Can't recognize" "$tmp/blank.out" "$tmp/blank.err"; echo $?)" \
      "exit code $code; $(head -c 200 "$tmp/blank.err")"
  else
    fail "'/s ' (with a trailing blank) ends at once" "still running after 30 s"
    reset_wine
  fi
fi

section "full screen"
set_parent 0
park_mouse
saver full "$app" /s
wid=$(find_window '^Dravik Screensaver$')
if [ -z "$wid" ]; then
  fail "'/s' opens the window 'Dravik Screensaver'" "no window; $(head -c 300 "$tmp/full.err")"
  reset_wine
else
  pass "'/s' opens the window 'Dravik Screensaver'"
  geometry=$(xdotool getwindowgeometry "$wid" | tr -s ' ' | sed -n 's/.*Geometry: //p')
  position=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Position: \([0-9-]*,[0-9-]*\).*/\1/p')
  check "the window covers the display (${width}x${height} at 0,0)" \
    "$([ "$geometry" = "${width}x${height}" ] && [ "$position" = "0,0" ]; echo $?)" \
    "geometry $geometry at $position"
  sleep 3
  screenshot "$tmp/full.png"
  # The show covers the screen: most of the middle is drawn, in many colours.
  lit=$("$convert" "$tmp/full.png" -gravity center -crop 50%x50%+0+0 +repage -colorspace gray \
    -threshold 4% -format '%[fx:mean]' info:)
  colours=$("$convert" "$tmp/full.png" -format '%k' info:)
  check "the show is drawn full screen (middle lit: $lit, $colours colours)" \
    "$([ "$(calc "$lit > 0.9 && $colours >= 16")" = 1 ]; echo $?)"
  check "no message box: the pictures are found beside Dravik.scr, started from another folder" "$(box_texts full | grep -q .; [ $? -ne 0 ]; echo $?)" \
    "$(box_texts full | head -3 | tr '\n' '|')"

  xdotool windowfocus --sync "$wid" key a space Return 2>/dev/null
  sleep 1.5
  check "other keys do not end the run" "$([ ! -s "$tmp/full.rc" ]; echo $?)"

  xdotool mousemove_relative 1 0
  if ended full 30; then
    pass "a mouse movement of one pixel ends the run"
    check "the window is gone afterwards" "$(xdotool search --name '^Dravik Screensaver$' >/dev/null 2>&1; [ $? -ne 0 ]; echo $?)"
  else
    fail "a mouse movement of one pixel ends the run" "still running after 30 s"
    reset_wine
  fi
fi

section "mouse button and Escape"
# Without the setting at all the saver runs full screen as well.
wine reg delete "$setting_key" /f >/dev/null 2>&1
park_mouse
saver click "$app" /S
wid=$(find_window '^Dravik Screensaver$')
if [ -n "$wid" ]; then
  sleep 0.5
  xdotool click 3
  if ended click 30; then
    check "'/S' without any setting runs too; a right click ends it with exit code 2 (MK_RBUTTON)" "$([ "$(exitcode click)" = 2 ]; echo $?)" \
      "exit code $(exitcode click)"
  else
    fail "a right click ends the run" "still running after 30 s"
    reset_wine
  fi
else
  fail "'/S' opens the window" "no window"
  reset_wine
fi
set_parent 0
park_mouse
saver escape "$app"
wid=$(find_window '^Dravik Screensaver$')
if [ -n "$wid" ]; then
  sleep 0.5
  # Held down like a real key press: the loop looks at Escape between messages, so a press and
  # release that reach the queue together would go unseen.
  xdotool windowfocus --sync "$wid" keydown Escape 2>/dev/null
  ended escape 30
  check "no argument runs too; Escape ends it" "$?" "still running 30 s after Escape"
  xdotool keyup Escape 2>/dev/null
else
  fail "no argument opens the window" "no window"
fi
reset_wine

section "missing Data folder"
mkdir -p "$tmp/nodata"
cp "$app/Dravik.scr" "$tmp/nodata/"
park_mouse
saver nodata "$tmp/nodata" /s
captions=()
seen=" "
for _ in $(seq 16); do
  # The next box not yet closed; one at a time, since each holds up the start.
  wid=""
  deadline=$(($(date +%s) + 20))
  while [ -z "$wid" ] && [ "$(date +%s)" -lt "$deadline" ] && [ ! -s "$tmp/nodata.rc" ]; do
    for w in $(xdotool search --onlyvisible --name '^(LoadABitmap Error|getPixelData|CDoubleBitmap|ERROR)$' 2>/dev/null); do
      [[ "$seen" == *" $w "* ]] || { wid=$w; break; }
    done
    [ -z "$wid" ] && sleep 0.1
  done
  [ -z "$wid" ] && break
  seen="$seen$wid "
  captions+=("$(xdotool getwindowname "$wid")")
  xdotool windowfocus --sync "$wid" key Return 2>/dev/null
  [ ${#captions[@]} -ge 15 ] && break
done
expected_texts=(
  "can't read file.." "Is NULL" "can't read file.." "Is NULL"
  "can't read file.." "can't read file.." "CDoubleBitmap() 1st bitmap has no data."
  "can't read file.." "can't read file.." "CDoubleBitmap() 1st bitmap has no data."
  "can't read file.." "can't read file.." "CDoubleBitmap() 1st bitmap has no data."
  "can't read file.." "Is NULL")
expected_captions=(
  "LoadABitmap Error" "getPixelData" "LoadABitmap Error" "getPixelData"
  "LoadABitmap Error" "LoadABitmap Error" "CDoubleBitmap"
  "LoadABitmap Error" "LoadABitmap Error" "CDoubleBitmap"
  "LoadABitmap Error" "LoadABitmap Error" "CDoubleBitmap"
  "LoadABitmap Error" "getPixelData")
got_captions=$(printf '%s\n' "${captions[@]}")
check "fifteen boxes with the captions in load order" \
  "$([ "$got_captions" = "$(printf '%s\n' "${expected_captions[@]}")" ]; echo $?)" \
  "got ${#captions[@]}: $(tr '\n' '|' <<<"$got_captions")"
wid=$(find_window '^Dravik Screensaver$' 20)
sleep 1
got_texts=$(box_texts nodata)
check "their texts in load order, and no more boxes once running" \
  "$([ "$got_texts" = "$(printf '%s\n' "${expected_texts[@]}")" ]; echo $?)" \
  "got: $(tr '\n' '|' <<<"$got_texts")"
if [ -n "$wid" ] && [ ! -s "$tmp/nodata.rc" ]; then
  pass "the animation runs after the boxes"
  xdotool mousemove_relative 0 1
  ended nodata 30
  check "and a mouse movement ends it" "$?"
else
  fail "the animation runs after the boxes" "window ${wid:-missing}, exit code $(exitcode nodata)"
fi
reset_wine

section "preview mode"
# A parent that does not exist: the run ends right after start-up, by itself.
set_parent 1234567
park_mouse
saver gone "$app" /s
if ended gone 30; then
  check "a 'ParentHWND' naming no window ends the run right after start-up, without boxes" \
    "$(box_texts gone | grep -q .; [ $? -ne 0 ]; echo $?)" "$(box_texts gone | head -3 | tr '\n' '|')"
else
  fail "a 'ParentHWND' naming no window ends the run right after start-up" "still running after 30 s"
  reset_wine
fi
# A parent that exists: the show runs inside it until that window goes away.
rm -f "$tmp/parent.gone"
start parent wine "$tmp/parentwin.exe" "$(winepath -w "$tmp/parent.gone" 2>/dev/null)"
for _ in $(seq 200); do [ -s "$tmp/parent.out" ] && break; sleep 0.05; done
parent=$(tr -d '\r\n' <"$tmp/parent.out")
if [ -n "$parent" ]; then
  set_parent "$parent"
  park_mouse
  saver child "$app" /s
  host=$(find_window '^Dravik Preview Host$')
  # The child draws into the parent: wait for its first frames, then look at the parent.
  sleep 3
  running=$([ ! -s "$tmp/child.rc" ]; echo $?)
  check "preview runs inside the window 'ParentHWND' names (handle $parent)" "$running" \
    "ended with $(exitcode child); $(head -c 300 "$tmp/child.err")"
  if [ -n "$host" ]; then
    xwd -silent -id "$host" | "$convert" xwd:- "$tmp/preview.png"
    colours=$("$convert" "$tmp/preview.png" -format '%k' info:)
    check "the preview draws into the parent ($colours colours)" "$([ "$colours" -ge 16 ]; echo $?)"
  fi
  touch "$tmp/parent.gone"
  if ended child 30; then
    # The window went away with its parent: there is nothing to release, and no box.
    check "closing the parent ends the preview, without boxes" \
      "$(box_texts child | grep -q .; [ $? -ne 0 ]; echo $?)" "$(box_texts child | head -3 | tr '\n' '|')"
  else
    fail "closing the parent ends the preview" "still running after 30 s; $(box_texts child | head -3 | tr '\n' '|')"
  fi
else
  fail "preview parent window" "the helper printed no handle"
fi
reset_wine
set_parent 0

section "one source, one program"
# The star field as placed at start-up by each build, and the Windows C runtime's own rand.
wine "$tmp/stardump.exe" stars 2>/dev/null | tr -d '\r' >"$tmp/stars.win"
"$tmp/stardump" stars >"$tmp/stars.linux"
wine "$tmp/stardump.exe" draws 2>/dev/null | tr -d '\r' >"$tmp/draws.win"
wine "$tmp/stardump.exe" crt 2>/dev/null | tr -d '\r' >"$tmp/crt.win"
stars=$(wc -l <"$tmp/stars.win")
distinct=$(cut -d' ' -f2- "$tmp/stars.win" | sort -u | wc -l)
check "both builds place the same 500 stars ($distinct distinct)" \
  "$([ "$stars" = 500 ] && [ "$distinct" -gt 450 ] && cmp -s "$tmp/stars.win" "$tmp/stars.linux"; echo $?)" \
  "$(diff "$tmp/stars.win" "$tmp/stars.linux" | head -3 | tr '\n' '|')"
check "the placement's generator gives the Windows C runtime's unseeded rand sequence" \
  "$([ "$(wc -l <"$tmp/crt.win")" = 1500 ] && cmp -s "$tmp/draws.win" "$tmp/crt.win"; echo $?)" \
  "$(diff "$tmp/draws.win" "$tmp/crt.win" | head -3 | tr '\n' '|')"

# Both builds on this display with a frame counter each. The animation clock starts with the
# first frame, so pictures taken at the same time after it show the same point of phase 0.
# Seeing the first frame from outside is only good to a few hundredths of a second and the
# scroller moves fast, so each build takes a burst of pictures around 4 s, and the closest pair
# is compared.
# measure NAME FILE PATTERN T0: waits for the first frame (the first line of FILE matching
# PATTERN), takes a burst of pictures from 3.7 s after it on, and writes start-up seconds
# (from T0) and frames per second over the next 5 s to $tmp/NAME.figures.
measure() {
  local name=$1 file=$2 pattern=$3 t0=$4 first="" i n1 n2 t1 t2
  for _ in $(seq 1500); do
    if grep -q "$pattern" "$file" 2>/dev/null; then first=$(now); break; fi
    sleep 0.01
  done
  [ -n "$first" ] || return 1
  echo "startup $(calc "$first - $t0")" >"$tmp/$name.figures"
  while [ "$(calc "$(now) < $first + 3.7")" = 1 ]; do sleep 0.005; done
  for i in $(seq -w 0 23); do xwd -root -silent >"$tmp/$name.$i.xwd"; done
  t1=$(now)
  n1=$(grep -c "$pattern" "$file")
  sleep 5
  t2=$(now)
  n2=$(grep -c "$pattern" "$file")
  echo "fps $(calc "($n2 - $n1) / ($t2 - $t1)")" >>"$tmp/$name.figures"
}
park_mouse
t0=$(now)
# Wine's OpenGL trace has one line per presented frame.
start winrun env WINEDEBUG=-all,trace+wgl wine "$app/Dravik.scr" /s
measure win "$tmp/winrun.err" wglSwapBuffers "$t0"
win_ok=$?
xdotool mousemove_relative 1 0
ended winrun 30 || reset_wine
reset_wine

mkdir -p "$tmp/linuxcfg"
park_mouse
rm -f "$tmp/linux.frames"
t0=$(now)
start linuxrun env XDG_CONFIG_HOME="$tmp/linuxcfg" SWAPCOUNT_FILE="$tmp/linux.frames" \
  LD_PRELOAD="$tmp/swapcount.so" "$linux_build/dravik" /s
measure linux "$tmp/linux.frames" swap "$t0"
linux_ok=$?
xdotool mousemove_relative 1 0
ended linuxrun 30 || kill $(jobs -p) 2>/dev/null

if [ $win_ok -eq 0 ] && [ $linux_ok -eq 0 ]; then
  # Compared at an eighth of the size, where a pixel or two of scroller movement between the
  # two moments averages out, while another picture, a shifted or mirrored layout or a
  # missing effect changes many of the 80 x 60 cells.
  for f in "$tmp"/win.*.xwd "$tmp"/linux.*.xwd; do
    "$convert" "xwd:$f" "${f%.xwd}.png"
    "$convert" "${f%.xwd}.png" -scale 12.5% "${f%.xwd}.small.png"
  done
  best=""
  for w in "$tmp"/win.??.small.png; do
    for l in "$tmp"/linux.??.small.png; do
      d=$(compare -metric AE -fuzz 8% "$w" "$l" null: 2>&1 | cut -d' ' -f1)
      if [ -z "$best" ] || [ "$d" -lt "$best" ]; then
        best=$d
        cp "${w%.small.png}.png" "$tmp/phase0.win.png"
        cp "${l%.small.png}.png" "$tmp/phase0.linux.png"
      fi
    done
  done
  cells=$((width * height / 64))
  full=$(compare -metric AE -fuzz 8% "$tmp/phase0.win.png" "$tmp/phase0.linux.png" null: 2>&1 | cut -d' ' -f1)
  note "phase 0 at about 4 s: $best of $cells cells differ between the builds ($full of" \
    "$((width * height)) pixels at full size; $tmp/phase0.win.png, $tmp/phase0.linux.png)"
  check "Windows and Linux builds show the same phase-0 picture" "$([ "$best" -le $((cells / 50)) ]; echo $?)" \
    "$best of $cells cells differ"
  note "start-up to first frame: Wine $(printf %.2f "$(sed -n 's/startup //p' "$tmp/win.figures")") s," \
    "Linux $(printf %.2f "$(sed -n 's/startup //p' "$tmp/linux.figures")") s"
  note "frames per second in phase 0 at ${width}x${height}: Wine $(printf %.1f "$(sed -n 's/fps //p' "$tmp/win.figures")")," \
    "Linux $(printf %.1f "$(sed -n 's/fps //p' "$tmp/linux.figures")")"
else
  fail "Windows and Linux builds show the same phase-0 picture" "no frames (Wine: $win_ok, Linux: $linux_ok)"
fi

finish
