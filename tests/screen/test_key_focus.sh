#!/usr/bin/env bash
# Keys count only while the game has the keyboard focus: with another
# program's window focused, held keys do not move the cows and ESC does not end
# the game; with the game's window focused again, they do.
. "$(dirname "$0")/lib.sh"

XM_PID=""
trap '[ -n "$XM_PID" ] && kill "$XM_PID" 2>/dev/null; hb_cleanup' EXIT

# Pixels that differ clearly between two shots in a region, per thousand. The
# turning hay bales and HUD icons change a few pixels in every frame; a cow
# that moves shifts the whole picture, as the camera follows it.
difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 15% -format "%[fx:int(1000*mean+0.5)]" info:
}

# The frame counts of the frame-rate lines (one a second), one a line.
frame_counts() { sed -n 's/.*fps (\([0-9]*\))$/\1/p' "$HB_ART/stdout.txt"; }
# Waits until the game has drawn at least N frames from now on, however slowly
# a loaded machine draws them. The first line after now may count frames from
# before, so only the lines after it count.
wait_frames() {
  local from=$(($(frame_counts | wc -l) + 2)) deadline=$((SECONDS + 120))
  while [ "$(frame_counts | tail -n +$from | awk '{n += $1} END {print n + 0}')" -lt "$1" ]; do
    kill -0 "$HB_PID" 2>/dev/null || return 1
    [ $SECONDS -lt $deadline ] || hb_fail "the game stopped drawing"
    sleep 0.2
  done
}

data=$(hb_prepare_data)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_tap_seen space
# The introduction changes the picture by itself; wait until it is gone.
hb_wait_intro_gone 60 || hb_fail "the introduction never ended"

# Another program's window, beside the game's, takes the focus; the pointer
# stays over the game.
xmessage -geometry +830+650 "another program" &
XM_PID=$!
xm=""
for _ in $(seq 100); do
  xm=$(xdotool search --onlyvisible --class Xmessage 2>/dev/null | head -n1)
  [ -n "$xm" ] && break
  sleep 0.1
done
[ -n "$xm" ] || hb_fail "no xmessage window"
xdotool windowfocus --sync "$xm"
[ "$(xdotool getwindowfocus)" = "$xm" ] || hb_fail "could not focus the other window"

wait_frames 10
before=$(hb_shot unfocused_before)
hb_down d
hb_down Left
hb_down Shift_L
wait_frames 30
held=$(hb_shot unfocused_held)
hb_up Shift_L
hb_up Left
hb_up d
d=$(difference "$before" "$held" 800x600+0+0)
echo "unfocused, keys held: $d/1000 of the pixels changed"
[ "$d" -le 60 ] || hb_fail "the picture changed by $d/1000 while keys were held in another window"

hb_tap Escape
wait_frames 30 || hb_fail "ESC typed into another window ended the game"

# The game's window focused again: the same keys move both cows.
xdotool windowfocus --sync "$HB_WID"
# Losing the focus paused the game; it stays paused until P.
hb_tap_seen p
wait_frames 10
before=$(hb_shot focused_before)
hb_down d
hb_down Left
wait_frames 30
held=$(hb_shot focused_held)
hb_up Left
hb_up d
left=$(difference "$before" "$held" 398x600+0+0)
right=$(difference "$before" "$held" 398x600+402+0)
echo "focused, keys held: $left/1000 (left), $right/1000 (right) of the pixels changed"
[ "$left" -ge 100 ] || hb_fail "Horace's half changed only by $left/1000 with D held"
[ "$right" -ge 100 ] || hb_fail "Boris's half changed only by $right/1000 with Left held"

hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC with the focus on the game gave $HB_RC"
echo "ok"
