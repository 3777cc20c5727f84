#!/usr/bin/env bash
# A syringe picked up by cow 1 slows cow 2 when cow 1 runs into it: the game
# writes "SLOW!" on its console.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
# Cow 1 (facing left) stands right of a syringe; cow 2 waits three cells
# further left. The syringe is in cow 1's probe cell from the first frame.
cat >"$data/_maps/Map02.map" <<'MAP'
. . . . . . . . . . 
. . .2. . . .!.1. . 
. . . . . . . . . . 
MAP

hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space   # splash -> title
hb_tap_seen space   # released and pressed again: play
hb_wait_frames 10 || hb_fail "no frames of play"
kill -0 "$HB_PID" 2>/dev/null || hb_fail "the game ended after the title screen"
grep -q "SLOW!" "$HB_ART/stdout.txt" && hb_fail "SLOW! before the cows met"

hb_down Left
hb_wait_output "SLOW!" 30 || hb_fail "no SLOW! while cow 1 ran into cow 2"
# Running on into the rival must not slow it again.
hb_wait_frames 10 || hb_fail "no frames after the contact"
hb_up Left
count=$(grep -o "SLOW!" "$HB_ART/stdout.txt" | wc -l)
[ "$count" = 1 ] || hb_fail "expected one SLOW! on stdout, found $count: $(head -c 300 "$HB_ART/stdout.txt")"

hb_tap Escape
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "ESC gave status $rc"
echo "ok"
