#!/usr/bin/env bash
# P holds a game: the picture stays as it is, the panel says how to go on,
# and P lets it move again. A game that loses the keyboard to another window
# pauses by itself and stays paused when the keyboard comes back.
. "$(dirname "$0")/lib.sh"

XM_PID=""
trap '[ -n "$XM_PID" ] && kill "$XM_PID" 2>/dev/null; hb_cleanup' EXIT

# Thousandths of the pixels of region REGION that differ between two shots.
difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 15% -format "%[fx:int(1000*mean+0.5)]" info:
}
PANEL=400x90+200+215   # where the pause panel's PAUSED stands
RIGHT=398x600+402+0    # Boris's half

data=$(hb_prepare_data)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_tap_seen space
hb_wait_intro_gone 60 || hb_fail "the introduction never ended"

# Paused: two shots two seconds apart are the same, keys held or not.
hb_tap_seen p
first=$(hb_shot paused_first)
hb_has_text "$first" "$PANEL" 1500 "the pause panel"
hb_down Left
sleep 2
hb_wait_frames 5 || hb_fail "the game stopped drawing while paused"
second=$(hb_shot paused_second)
hb_up Left
d=$(difference "$first" "$second" 800x600+0+0)
echo "paused, two seconds and a held key apart: $d/1000 of the pixels changed"
[ "$d" -le 2 ] || hb_fail "the picture moved by $d/1000 while paused"

# Resumed: the same key now turns Boris.
hb_tap_seen p
resumed=$(hb_shot resumed)
hb_down Left
hb_wait_frames 15
moved=$(hb_shot moved)
hb_up Left
d=$(difference "$resumed" "$moved" "$RIGHT")
echo "resumed, Left held: $d/1000 of Boris's half changed"
[ "$d" -ge 50 ] || hb_fail "nothing moved after resuming ($d/1000)"
[ "$(hb_white_count "$moved" "$PANEL")" -lt 1500 ] || hb_fail "the panel stayed after resuming"

# Another window takes the keyboard: paused at once.
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
hb_wait_frames 5
away=$(hb_shot focus_lost)
hb_has_text "$away" "$PANEL" 1500 "the pause panel after the focus was lost"

# The keyboard comes back: still paused until P.
xdotool windowfocus --sync "$HB_WID"
hb_down Left
hb_wait_frames 20
back=$(hb_shot focus_back)
hb_up Left
d=$(difference "$away" "$back" 800x600+0+0)
echo "focus back, Left held: $d/1000 changed"
[ "$d" -le 2 ] || hb_fail "the game resumed by itself when the focus came back ($d/1000)"
hb_tap_seen p
hb_down Left
hb_wait_frames 15
going=$(hb_shot going_again)
hb_up Left
[ "$(difference "$back" "$going" "$RIGHT")" -ge 50 ] || hb_fail "P did not resume after the focus came back"

# N from play goes back to the title; ESC still ends the game.
hb_tap_seen p
hb_tap_seen n
title=$(hb_shot title_after_n)
hb_has_text "$title" 500x40+150+545 800 "the title's prompt after N from the pause"
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
echo "ok"
