# Helpers for screen tests: start the real game in a prepared data directory
# under the X server in DISPLAY, press keys through XTest, capture the window.
# Source this file; HOOFBRAWL_BUILD names the build directory.
set -u

HB_BUILD=${HOOFBRAWL_BUILD:?HOOFBRAWL_BUILD must name the build directory}
HB_NAME=$(basename "${0%.sh}")
HB_ART="$HB_BUILD/screen-artifacts/$HB_NAME"
HB_WORK=$(mktemp -d "/tmp/hoofbrawl-$HB_NAME.XXXXXX")
HB_PID=""
HB_WID=""
HB_OUT=""
rm -rf "$HB_ART" && mkdir -p "$HB_ART"
# The game keeps settings and replays in the player's home: each test gets a
# home of its own, so no test reads another's settings or the real player's.
export HOME="$HB_WORK/home" XDG_CONFIG_HOME="$HB_WORK/home/.config" XDG_DATA_HOME="$HB_WORK/home/.local/share"
mkdir -p "$HOME"
HB_SETTINGS="$XDG_CONFIG_HOME/hoofbrawl/settings.ini"

# Ends a process and waits until it is gone (killing it outright after five
# seconds): the next test on this X server must not find its window still up.
hb_end_process() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null
}

hb_cleanup() {
  hb_end_process "$HB_PID"
  for k in Escape space n p m minus equal Return BackSpace Delete t Shift_L Shift_R Control_L Control_R F1 F12 Up Down Left Right w a s d; do
    xdotool keyup "$k" 2>/dev/null
  done
  rm -rf "$HB_WORK"
}
trap hb_cleanup EXIT

hb_fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy of the built data directory to change freely; prints its path.
hb_prepare_data() {
  local dir="$HB_WORK/data${1:-}"
  rm -rf "$dir"
  cp -r "$HB_BUILD/data" "$dir"
  echo "$dir"
}

# Starts the game in DIR with the options given; stdout and stderr go to the artefacts. HB_OUT names
# the file the game's stdout goes to (the waits below read it).
hb_start() {  # dir [option...]
  local dir=$1
  shift
  HB_OUT="$HB_ART/stdout.txt"
  (cd "$dir" && exec "$HB_BUILD/hoofbrawl" "$@" >"$HB_OUT" 2>"$HB_ART/stderr.txt") &
  HB_PID=$!
}

# Waits until the game's window is mapped; sets HB_WID and gives the window
# the keyboard focus. No window manager runs on the test server to do that, and
# the game reads keys only while a window of it has the focus: without this,
# where an earlier test left the focus and the pointer would decide whether
# typed keys count. Mapped is not yet drawn: follow with hb_wait_frames before
# looking at it.
hb_wait_window() {
  local deadline=$((SECONDS + ${1:-30}))
  HB_WID=""
  while [ $SECONDS -lt $deadline ]; do
    HB_WID=$(xdotool search --onlyvisible --name '^Hoofbrawl$' 2>/dev/null | head -n1)
    if [ -n "$HB_WID" ]; then
      timeout 5 xdotool windowfocus --sync "$HB_WID" 2>/dev/null || true
      return 0
    fi
    kill -0 "$HB_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Frames the game has reported so far: the sum of the counts of its
# "NN.N fps (N)" lines in HB_OUT (one line a second while it draws).
hb_frames_drawn() {
  awk -F'[()]' '/fps \(/ { n += $2 } END { print n + 0 }' "$HB_OUT" 2>/dev/null || echo 0
}

# Waits until at least N more frames have been drawn from now, however slowly
# the machine draws them. The frames of the counter's running second are not
# reported yet when this starts, so it also waits for one second's worth
# (20 frames at the game's pace) on top.
hb_wait_frames() {  # n [timeout]
  local target=$(( $(hb_frames_drawn) + $1 + 20 ))
  local deadline=$((SECONDS + ${2:-120}))
  while [ $SECONDS -lt $deadline ]; do
    [ "$(hb_frames_drawn)" -ge "$target" ] && return 0
    kill -0 "$HB_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Waits until the window is mapped and the game has drawn frames in it.
hb_wait_drawing() {  # [timeout]
  hb_wait_window "${1:-30}" && hb_wait_frames 1 "${1:-30}"
}

# The introduction of play: 200 HUD draws, two a frame (one per half).
HB_INTRO_FRAMES=100

# Waits until the game has written PATTERN (a grep pattern) on its stdout.
hb_wait_output() {  # pattern [timeout]
  local deadline=$((SECONDS + ${2:-30}))
  while [ $SECONDS -lt $deadline ]; do
    grep -q -- "$1" "$HB_OUT" 2>/dev/null && return 0
    kill -0 "$HB_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Waits until FILE holds a line matching PATTERN: TRIES looks, PAUSE apart.
hb_wait_in_file() {  # file pattern [tries] [pause]
  local i
  for i in $(seq "${3:-40}"); do
    grep -q -- "$2" "$1" 2>/dev/null && return 0
    sleep "${4:-0.1}"
  done
  return 1
}

# Waits until no visible window is named NAME (an anchored pattern).
hb_wait_window_gone() {  # name [timeout]
  local deadline=$((SECONDS + ${2:-20}))
  while [ $SECONDS -lt $deadline ]; do
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
    sleep 0.2
  done
  return 1
}

# Presses and releases a key so that the game surely sees both: frames are
# drawn with the key down and again with it up, however slowly they come. For
# keys whose release matters too (SPACE must be seen up between its presses).
hb_tap_seen() {
  local rc=0
  xdotool keydown "$1"
  hb_wait_frames 1 || rc=1
  xdotool keyup "$1"
  hb_wait_frames 1 || rc=1
  return $rc
}

# Holds a key long enough for a few frames (frames are 51 ms apart) to see it.
hb_tap() { xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; sleep 0.2; }
hb_down() { xdotool keydown "$1"; }
hb_up() { xdotool keyup "$1"; }

# Waits for the game to end; sets HB_RC to its exit status (or "timeout").
# Not for $(...): only this shell can wait for its own child.
hb_wait_exit() {
  local deadline=$((SECONDS + ${1:-20}))
  HB_RC=timeout
  while [ $SECONDS -lt $deadline ]; do
    if ! kill -0 "$HB_PID" 2>/dev/null; then
      wait "$HB_PID"; HB_RC=$?; HB_PID=""; return 0
    fi
    sleep 0.1
  done
}

# Captures the game's window into the artefacts as NAME.png; prints the path.
hb_shot() {
  local file="$HB_ART/$1.png"
  import -window "$HB_WID" "$file" 2>/dev/null || xwd -id "$HB_WID" | convert xwd:- "$file"
  echo "$file"
}

# The colour of one pixel as "r g b" (0-255).
hb_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# The mean colour of a region WxH+X+Y as "r g b" (0-255).
hb_region_mean() {
  convert "$1" -crop "$2" +repage -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}

# True when every component of colour "r g b" is within TOL of the expected one.
hb_close() {
  local got=($1) want=($2) tol=${3:-8} i
  for i in 0 1 2; do
    local d=$(( ${got[$i]} - ${want[$i]} ))
    [ ${d#-} -le "$tol" ] || return 1
  done
}

# Pixels with every channel above 90% in a region WxH+X+Y: the white of text.
hb_white_count() {
  convert "$1" -crop "$2" +repage -fx "min(r,min(g,b))" -threshold 90% -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Fails unless the region holds at least MIN white pixels (text).
hb_has_text() {  # shot region min what
  local n
  n=$(hb_white_count "$1" "$2")
  [ "$n" -ge "$3" ] || hb_fail "$4: $n white pixels in $2, expected at least $3"
}

# Waits until the introduction's "PLAYER:" text has left the right half (it
# changes the picture by itself for its first 100 frames). [timeout]
hb_wait_intro_gone() {
  local deadline=$((SECONDS + ${1:-60})) shot
  while :; do
    shot=$(hb_shot playing)
    [ "$(hb_white_count "$shot" 330x40+432+52)" -lt 200 ] && return 0
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.5
  done
}
