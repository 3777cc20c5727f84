#!/usr/bin/env bash
# One player against the computer: the title names the keys; [3] starts a game
# in which the player's view fills the window and the computer's cow moves on
# its own; V brings back the split view. SPACE still starts two players.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_wait_frames 3 || hb_fail "no frames of the title screen"
title=$(hb_shot title)
# The one-player line sits above the prompt, in the band of rows it is drawn in.
hb_has_text "$title" 800x40+0+505 40 "the one-player keys"

hb_tap_seen 3
hb_wait_frames 40 || hb_fail "no frames of play"
solo=$(hb_shot solo)
# No split: the clear-colour strip between the halves is gone.
strip=$(hb_region_mean "$solo" 4x300+398+150)
split_like=$(hb_close "$strip" "153 204 255" 12 && echo yes || echo no)
[ "$split_like" = no ] || hb_fail "the one-player view still shows the split strip ($strip)"

hb_tap_seen v
hb_wait_frames 3 || hb_fail "no frames after V"
split=$(hb_shot split)
strip=$(hb_region_mean "$split" 2x300+399+150)
hb_close "$strip" "153 204 255" 12 || hb_fail "V did not bring the split view back ($strip)"
kill "$HB_PID"
echo PASS
