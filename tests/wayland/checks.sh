# What the Wayland desktop tests look at, on the outer display where the desktop's outputs show
# (1024x768 each, side by side); source it after scripts/wayland.sh and start_session.
#   app_dir BUILD_DIR          the build's dravik and Data in $app (and dravik alone in
#                              $app/nodata), readable by the desktop's user
#   output_shot N FILE         what output N (1, 2, ...) shows
#   shows FILE                 the show is in the picture (lit, in many colours)
#   whole FILE                 the whole desktop picture is on the output, where the show puts it
#   sharp FILE                 at the output's full pixels: its one-pixel detail is there (a
#                              frame drawn at half the size and doubled has none)
#   park                       the pointer to the output's bottom right corner, where the show is
#                              black
#   pointer_hidden             no pointer image shows there
#   box_shown [--centred]      a message box is up on the first output, laid out right
#                              (and in its middle)
#   costs_nothing WHILE        the show ($saver's dravik) uses under 0.02 CPU-s/s over 10 s
#   terminated CODE            SIGTERM ends the show within 1 s, with CODE
#   ends CODE                  the show ($saver) has ended with CODE within 20 s, and left the
#                              output
#   fail TEXT                  the test's failure, with the desktop's name

app_dir() {
  app=$SESSION_DIR/app
  mkdir -p "$app/nodata"
  cp -r "$1/dravik" "$1/Data" "$app/" && cp "$1/dravik" "$app/nodata/"
  chown -R "$SESSION_USER" "$app"
}

# The last picture looked at is kept beside the failure.
fail() {
  local kept=/tmp/dravik-$SESSION_NAME-failed.png
  cp "$SESSION_DIR/shot.png" "$kept" 2>/dev/null && echo "(the last picture: $kept)"
  echo "FAIL ($SESSION_NAME): $1"
  exit 1
}
outer() { DISPLAY=$OUTER "$@"; }

output_shot() {
  outer xwd -silent -root | convert xwd:- -crop "1024x768+$((1024 * ($1 - 1)))+0" +repage "$2"
}

shows() {
  local stats
  stats=$(convert "$1" -format '%[fx:mean] %k' info:) || return 1
  awk -v m="${stats% *}" -v c="${stats#* }" 'BEGIN { exit !(m > 0.1 && c > 100) }'
}

# The desktop picture's green, from its left to its right edge, from under its menu bar to its
# bottom: where it stands on a 1024 x 768 output (a frame shown enlarged from its corner is not).
whole() {
  local box
  box=$("$GREEN_BOX" "$1")
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  local w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
  ((x >= 40 && x <= 56 && y >= 115 && y <= 135 && w >= 910 && w <= 940 && h >= 540 && h <= 570)) ||
    { echo "the desktop's green at ${box}"; return 1; }
}

# Against the same picture made of 2 x 2 blocks: a doubled frame differs nowhere.
sharp() {
  local detail
  detail=$(convert "$1" -crop 400x300+60+140 +repage -colorspace gray \( +clone -scale 50% -scale 200% \) \
    -compose difference -composite -format '%[fx:mean * 255]' info:)
  awk -v d="$detail" 'BEGIN { exit !(d > 2) }' || { echo "one-pixel detail $detail"; return 1; }
}

park() { outer xdotool mousemove 1000 756 mousemove 1012 756; }

# The outer display's pointer image is empty (sway and KWin show theirs there), and weston, which
# draws its own into the frame, draws none. (mutter draws its own too, but gives a new surface the
# pointer only when it next looks what is under it, which under load waits for the pointer to
# move: its pointer may stay drawn until then, and is not looked at.)
pointer_hidden() {
  [ "$(outer "$CURSOR_PIXELS")" = 0 ] || return 1
  [ "$SESSION_NAME" = weston ] || return 0
  outer import -silent -window root -crop 12x12+1012+756 -colorspace gray -format '%[fx:maxima]' info: |
    awk '{ exit !($1 < 0.3) }'
}

box_shown() {  # [--centred]
  output_shot 1 "$SESSION_DIR/shot.png" && "$BOX_PICTURE" "$SESSION_DIR/shot.png" "$@" >/dev/null
}

show_pid() { pgrep -P $saver -x dravik; }  # runuser's child
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$(show_pid)/stat"; }

costs_nothing() {
  local before used
  before=$(cpu_ticks) && sleep 10 && used=$(($(cpu_ticks) - before))  # the 10 s measured
  echo "$SESSION_NAME, $1: the show used $used ticks of 10 ms in 10 s"
  ((used <= 20)) || fail "$used ticks of CPU in 10 s $1"
}

terminated() {
  kill -TERM "$(show_pid)"
  wait_until 1 eval '! kill -0 $saver 2>/dev/null' || fail "SIGTERM did not end it within 1 s"
  ends "$1"
}

ends() {
  wait_until 20 eval '! kill -0 $saver 2>/dev/null' || fail "the show still runs"
  local code=0
  wait $saver || code=$?
  [ "$code" = "$1" ] || fail "exit code $code instead of $1: $(cat "$SESSION_DIR/err")"
  wait_until 20 eval 'output_shot 1 "$SESSION_DIR/shot.png" && ! whole "$SESSION_DIR/shot.png" >/dev/null' ||
    fail "the show stays on the output"
}
