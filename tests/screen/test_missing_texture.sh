#!/usr/bin/env bash
# A missing texture: an "Error" box with the reader's message comes up before
# the first frame; once it is closed (Enter, Escape, or a click on OK) the game
# runs on. The box takes the keyboard focus itself.
. "$(dirname "$0")/lib.sh"

# An X server without -noreset resets whenever its last client leaves, and a
# game starting during that reset cannot connect: hold one connection open.
xprop -root -spy >/dev/null 2>&1 &
holder=$!
trap 'kill $holder 2>/dev/null; hb_cleanup' EXIT

data=$(hb_prepare_data)
rm "$data/tiles/dirt.bmp"

# Waits for the error box; sets EID.
wait_error_box() {
  local deadline=$((SECONDS + 30))
  EID=""
  while [ $SECONDS -lt $deadline ]; do
    EID=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -n1)
    [ -n "$EID" ] && return 0
    kill -0 "$HB_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}


for close in enter escape click; do
  hb_start "$data"
  wait_error_box || hb_fail "$close: no Error window; stderr: $(cat "$HB_ART/stderr.txt")"
  # The game waits in its start-up while the box is open: no frame in two
  # seconds (an absence, so a fixed wait).
  sleep 2
  grep -q fps "$HB_ART/stdout.txt" && hb_fail "$close: frames were drawn while the Error box was open"
  grep -qxF "Failed to open DIB file tiles/dirt.bmp." "$HB_ART/stderr.txt" ||
    hb_fail "$close: message on standard error: $(cat "$HB_ART/stderr.txt")"
  import -window "$EID" "$HB_ART/error_box_$close.png" 2>/dev/null
  if [ "$close" = enter ]; then
    xdotool key Return
  elif [ "$close" = escape ]; then
    xdotool key Escape
  else
    # OK sits at the middle of the bottom of the box.
    eval "$(xdotool getwindowgeometry --shell "$EID")"
    xdotool mousemove --window "$EID" $((WIDTH / 2)) $((HEIGHT - 34)) click 1
  fi
  hb_wait_window_gone '^Error$' 10 || hb_fail "$close: the Error box stayed open"
  hb_wait_output fps 20 || hb_fail "$close: the game did not run on after the Error box"
  hb_wait_window || hb_fail "$close: no game window"
  shot=$(hb_shot "splash_after_$close")
  read -r r g b <<<"$(hb_region_mean "$shot" 800x40+0+0)"
  [ "$b" -gt 150 ] || hb_fail "$close: the splash picture is not shown after the error: $r $g $b"
  [ "$(grep -c DIB "$HB_ART/stderr.txt")" = 1 ] || hb_fail "$close: more than one image failed"
  hb_tap Escape
  hb_wait_exit
  [ "$HB_RC" = 1 ] || hb_fail "$close: ESC gave status $HB_RC"
done
echo "ok"
