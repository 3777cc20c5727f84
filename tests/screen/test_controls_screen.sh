#!/usr/bin/env bash
# A key chosen on the controls screen moves the cow and its old key no longer
# does; a key another action holds is refused; the choice is kept for the
# next run.
. "$(dirname "$0")/lib.sh"

difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 15% -format "%[fx:int(1000*mean+0.5)]" info:
}
RIGHT=398x600+402+0  # Boris's half; the spinning hay alone changes some 20/1000 of it
MESSAGE=560x26+120+400  # the controls screen's message line

# Holds KEY for a while in play; prints how much of Boris's half changed.
turned_by() {
  local before after
  hb_wait_frames 3
  before=$(hb_shot "before_$1")
  hb_down "$1"
  hb_wait_frames 15
  after=$(hb_shot "after_$1")
  hb_up "$1"
  hb_wait_frames 3
  difference "$before" "$after" "$RIGHT"
}

data=$(hb_prepare_data)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
title=$(hb_shot title)
hb_tap_seen Return        # the menu
# Down past AGAINST THE COMPUTER, HOST A GAME, JOIN A GAME and REPLAYS.
for _ in 1 2 3 4 5; do hb_tap_seen Down; done  # CONTROLS
hb_tap_seen Return
controls=$(hb_shot controls)
hb_has_text "$controls" 300x40+250+55 300 "the controls screen's heading"
hb_tap_seen Down
hb_tap_seen Down          # Boris's LEFT
hb_tap_seen Return
hb_tap_seen t             # Boris turns left with T now
grep -qx 'boris.left = T' "$HB_SETTINGS" || hb_fail "T was not kept: $(cat "$HB_SETTINGS" 2>&1)"
kept=$(md5sum <"$HB_SETTINGS")

# Horace's key W for Boris's LEFT: refused, and nothing changes.
hb_tap_seen Return
hb_tap_seen w
refused=$(hb_shot refused)
hb_has_text "$refused" "$MESSAGE" 300 "the refusal"
[ "$(md5sum <"$HB_SETTINGS")" = "$kept" ] || hb_fail "a taken key changed the settings"
grep -qx 'boris.left = T' "$HB_SETTINGS" || hb_fail "the refusal lost T"

hb_tap_seen BackSpace     # back to the menu
hb_tap_seen BackSpace     # menu closed
hb_tap_seen space
hb_wait_intro_gone 60 || hb_fail "the introduction never ended"
d=$(turned_by Left)
echo "Left held: $d/1000 of Boris's half changed"
[ "$d" -le 40 ] || hb_fail "the old key still turns Boris ($d/1000)"
d=$(turned_by t)
echo "T held: $d/1000 of Boris's half changed"
[ "$d" -ge 100 ] || hb_fail "the new key does not turn Boris ($d/1000)"
hb_tap Escape
hb_wait_exit

# The next run: T still turns Boris, with nothing chosen again.
hb_start "$data"
hb_wait_drawing || hb_fail "no window the second time"
hb_tap_seen space
hb_tap_seen space
hb_wait_intro_gone 60 || hb_fail "the introduction never ended the second time"
d=$(turned_by t)
echo "after a restart, T held: $d/1000 changed"
[ "$d" -ge 100 ] || hb_fail "the binding did not survive a restart ($d/1000)"
# The help panel names the key bound.
hb_down F12
hb_wait_frames 3
help=$(hb_shot help_panel)
hb_up F12
[ "$(md5sum <"$HB_SETTINGS")" = "$kept" ] || hb_fail "the settings were written again with nothing changed"
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
echo "ok"
