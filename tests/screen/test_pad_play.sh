#!/usr/bin/env bash
# Gamepads in the real game (SDL's virtual pads, plugged in and pressed through
# the pad_play program): the first pad drives Horace and leaves Boris alone,
# Start leaves the splash and starts play, a second pad drives Boris and its
# Back shows his help panel, and once Horace's pad is unplugged mid-game his
# cow stops and plays on with the keyboard.
. "$(dirname "$0")/lib.sh"

# Pixels that differ clearly between two shots in a region, per thousand (the
# turning hay bales change a few in every frame; a moving cow shifts its half).
difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 15% -format "%[fx:int(1000*mean+0.5)]" info:
}
LEFT=398x600+0+0
RIGHT=398x600+402+0

out="$HB_ART/stdout.txt"
count() { grep -c -- "$1" "$out"; }
# The frame counts of the frame-rate lines (one a second), one a line.
frame_counts() { sed -n 's/.*fps (\([0-9]*\))$/\1/p' "$out"; }
# Waits until the game has drawn at least N frames from now on, however slowly
# a loaded machine draws them. The first line after now may count frames from
# before, so only the lines after it count.
wait_frames() {
  local from=$(($(frame_counts | wc -l) + 2)) deadline=$((SECONDS + 120))
  while [ "$(frame_counts | tail -n +$from | awk '{n += $1} END {print n + 0}')" -lt "$1" ]; do
    kill -0 "$HB_PID" 2>/dev/null || hb_fail "the game ended"
    [ $SECONDS -lt $deadline ] || hb_fail "the game stopped drawing"
    sleep 0.2
  done
}
# Waits for a line on the game's standard output.
wait_line() {
  local deadline=$((SECONDS + 30))
  until grep -qF -- "$1" "$out"; do
    kill -0 "$HB_PID" 2>/dev/null || hb_fail "the game ended before: $1"
    [ $SECONDS -lt $deadline ] || hb_fail "never printed: $1"
    sleep 0.1
  done
}
pad() { echo "$*" >&3; wait_line "did: $*"; }

data=$(hb_prepare_data)
fifo="$HB_WORK/commands"
mkfifo "$fifo"
(cd "$data" && exec "$HB_BUILD/tests/pad_play" <"$fifo" >"$out" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
exec 3>"$fifo"
hb_wait_window || hb_fail "no window"
grep -q Gamepad "$out" && hb_fail "a pad was reported before any was plugged in"

pad plug First
wait_line '"First" drives Horace (left half)'
splash=$(hb_shot splash)
pad button 0 start 1
wait_frames 10
pad button 0 start 0
title=$(hb_shot title)
[ "$(difference "$splash" "$title" 800x600+0+0)" -ge 100 ] || hb_fail "Start did not leave the splash screen"
wait_frames 10
pad button 0 start 1
wait_frames 10
pad button 0 start 0
# In play once the two halves' separator is there; then wait out the introduction.
hb_wait_intro_gone 60 || hb_fail "play did not start, or the introduction never ended"

# One pad: Horace walks, Boris stays.
wait_frames 10
before=$(hb_shot one_pad_before)
pad button 0 dpright 1
wait_frames 30
after=$(hb_shot one_pad_dpad_right)
pad button 0 dpright 0
l=$(difference "$before" "$after" $LEFT); r=$(difference "$before" "$after" $RIGHT)
echo "one pad, D-pad right: left half $l/1000, right half $r/1000 changed"
[ "$l" -ge 100 ] || hb_fail "Horace's half changed only by $l/1000 with his pad's D-pad held"
[ "$r" -le 60 ] || hb_fail "Boris's half changed by $r/1000 though nobody steered him"

# Two pads: the second drives Boris with its stick; Back shows his help panel.
pad plug Second
wait_line '"Second" drives Boris (right half)'
wait_frames 10
before=$(hb_shot two_pads_before)
pad stick 1 -30000 0
wait_frames 30
after=$(hb_shot two_pads_stick_left)
pad stick 1 0 0
l=$(difference "$before" "$after" $LEFT); r=$(difference "$before" "$after" $RIGHT)
echo "two pads, second stick left: left half $l/1000, right half $r/1000 changed"
[ "$r" -ge 100 ] || hb_fail "Boris's half changed only by $r/1000 with his pad's stick pushed"
[ "$l" -le 60 ] || hb_fail "Horace's half changed by $l/1000 though his pad was idle"
pad button 1 back 1
wait_frames 10
help=$(hb_shot two_pads_back)
pad button 1 back 0
px=$(hb_pixel "$help" 422 20)
hb_close "$px" "153 204 255" 10 || hb_fail "Back on Boris's pad did not show his help panel ($px)"
hb_has_text "$help" 220x32+482+300 1000 "Boris's help panel: CONTROLS"

# Horace's pad unplugged while it holds the D-pad: the key comes up with it.
pad button 0 dpup 1
wait_frames 10
pad unplug 0
wait_line 'Gamepad unplugged: Horace (left half) plays on the keyboard'
wait_frames 10
before=$(hb_shot unplugged_before)
wait_frames 30
after=$(hb_shot unplugged_after)
l=$(difference "$before" "$after" $LEFT)
echo "Horace's pad unplugged mid-walk: left half $l/1000 changed afterwards"
[ "$l" -le 60 ] || hb_fail "Horace kept walking ($l/1000) after his pad was unplugged"
# ... and the keyboard still drives him: to the left, back along the way his
# pad took him. Further right he may stand against a wall by now (how far he
# got depends on the machine's pace), and a cow walking into a wall leaves
# the picture as it was.
hb_down a
wait_frames 30
after=$(hb_shot unplugged_keyboard)
hb_up a
l=$(difference "$before" "$after" $LEFT)
echo "then A on the keyboard: left half $l/1000 changed"
[ "$l" -ge 100 ] || hb_fail "the keyboard did not drive Horace after his pad went ($l/1000)"

hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
grep -q "Gamepads unavailable" "$HB_ART/stderr.txt" && hb_fail "SDL did not start: $(cat "$HB_ART/stderr.txt")"
echo "ok"
