#!/usr/bin/env bash
# The title's menu driven by a pad (SDL's virtual pads): the D-pad opens it
# and moves through it, A chooses, B goes back; TWO PLAYERS starts the game,
# and Start pauses it and lets it go again.
. "$(dirname "$0")/lib.sh"

difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 15% -format "%[fx:int(1000*mean+0.5)]" info:
}
out="$HB_ART/stdout.txt"
frame_counts() { sed -n 's/.*fps (\([0-9]*\))$/\1/p' "$out"; }
wait_frames() {
  local from=$(($(frame_counts | wc -l) + 2)) deadline=$((SECONDS + 120))
  while [ "$(frame_counts | tail -n +$from | awk '{n += $1} END {print n + 0}')" -lt "$1" ]; do
    kill -0 "$HB_PID" 2>/dev/null || hb_fail "the game ended"
    [ $SECONDS -lt $deadline ] || hb_fail "the game stopped drawing"
    sleep 0.2
  done
}
wait_line() {
  local deadline=$((SECONDS + 30))
  until grep -qF -- "$1" "$out"; do
    kill -0 "$HB_PID" 2>/dev/null || hb_fail "the game ended before: $1"
    [ $SECONDS -lt $deadline ] || hb_fail "never printed: $1"
    sleep 0.1
  done
}
pad() { echo "$*" >&3; wait_line "did: $*"; }
# A button pressed and let go, each seen by the game.
press() { pad button 0 "$1" 1; wait_frames 3; pad button 0 "$1" 0; wait_frames 3; }

MENU=260x200+270+60     # the main menu's plate
HEADING=300x40+250+55   # the controls screen's heading
PANEL=400x90+200+215    # the pause panel's PAUSED

data=$(hb_prepare_data)
fifo="$HB_WORK/commands"
mkfifo "$fifo"
(cd "$data" && exec "$HB_BUILD/tests/pad_play" <"$fifo" >"$out" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
exec 3>"$fifo"
hb_wait_window || hb_fail "no window"
pad plug First
wait_line '"First" drives Horace (left half)'
press start  # splash to title
wait_frames 5
title=$(hb_shot title)

press dpdown  # opens the menu
menu=$(hb_shot menu_open)
[ "$(difference "$title" "$menu" "$MENU")" -ge 100 ] || hb_fail "the D-pad did not open the menu"
# Down past AGAINST THE COMPUTER, HOST A GAME, JOIN A GAME and REPLAYS.
for _ in 1 2 3 4 5; do press dpdown; done  # CONTROLS
press a
controls=$(hb_shot controls)
hb_has_text "$controls" "$HEADING" 300 "the controls screen's heading"
press b       # back to the main screen
main=$(hb_shot main_again)
[ "$(difference "$controls" "$main" 300x300+250+150)" -ge 50 ] || hb_fail "B left the controls screen up"
for _ in 1 2 3 4 5; do press dpup; done  # TWO PLAYERS
press a
wait_frames 5
hb_wait_intro_gone 60 || hb_fail "A on TWO PLAYERS did not start the game"

press start
paused=$(hb_shot paused)
hb_has_text "$paused" "$PANEL" 1500 "the pause panel after Start"
pad button 0 dpright 1
wait_frames 20
still=$(hb_shot paused_still)
pad button 0 dpright 0
[ "$(difference "$paused" "$still" 800x600+0+0)" -le 2 ] || hb_fail "Horace moved while paused"
press start
pad button 0 dpright 1
wait_frames 20
moving=$(hb_shot resumed)
pad button 0 dpright 0
[ "$(difference "$still" "$moving" 398x600+0+0)" -ge 100 ] || hb_fail "Start did not resume the game"

kill "$HB_PID"
wait "$HB_PID" 2>/dev/null
HB_PID=""
echo "ok"
