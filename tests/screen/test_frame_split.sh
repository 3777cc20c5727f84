#!/usr/bin/env bash
# The split-screen frame in play: the 4-pixel strip of clear colour between
# the halves, terrain in both halves, and each help key taking away the scene
# of its own half only (F12 the right half, cow 1; F1 the left half, cow 2).
. "$(dirname "$0")/lib.sh"

clear_rgb="153 204 255"

# Share of pixels in region WxH+X+Y that are the clear colour (0..1).
clear_share() {
  convert "$1" -crop "$2" +repage -fuzz 2% -fill black +opaque "rgb(153,204,255)" \
    -fill white -opaque "rgb(153,204,255)" -format "%[fx:mean]" info:
}
# The window may sit a pixel past the screen's top-left corner, where the
# capture loses a row and a column: pad it back to the window's 800x600 from
# the bottom-right, in black, so window coordinates hold.
# Sets SHOT to the padded picture and TOP to the first row the capture saw.
window_shot() {
  local ow oh
  SHOT=$(hb_shot "$1")
  read -r ow oh < <(identify -format "%w %h" "$SHOT")
  TOP=$((600 - oh))
  convert "$SHOT" -background black -gravity southeast -extent 800x600 "$SHOT"
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

data=$(hb_prepare_data)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_tap_seen space
# Past the introduction, however slowly the frames come.
hb_wait_frames "$HB_INTRO_FRAMES" || hb_fail "the introduction never ended"

window_shot play; shot=$SHOT
w=800 h=600
strip_share=$(clear_share "$shot" "4x$((h - TOP))+$((w / 2 - 2))+$TOP")
[ "$strip_share" = 1 ] || hb_fail "the strip between the halves is not all clear colour ($strip_share)"
# Its neighbours belong to the halves: the strip is exactly 4 pixels wide.
for x in $((w / 2 - 3)) $((w / 2 + 2)); do
  col_share=$(clear_share "$shot" "1x$h+$x+0")
  below "$col_share" 0.5 || hb_fail "column $x is mostly clear colour ($col_share): the strip is wider than 4 pixels"
done
left_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+0+0")
right_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+$((w / 2 + 2))+0")
below "$left_share" 0.1 || hb_fail "the left half shows no terrain ($left_share clear)"
below "$right_share" 0.1 || hb_fail "the right half shows no terrain ($right_share clear)"

# F12 (cow 1's help) empties the right half of the scene; the left keeps it.
hb_down F12
hb_wait_frames 3 || hb_fail "no frames with F12 held"
window_shot help_f12; shot=$SHOT
hb_up F12
left_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+0+0")
right_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+$((w / 2 + 2))+0")
below "$left_share" 0.1 || hb_fail "F12 took the scene from the left half ($left_share clear)"
# The help panel's lower half is text on the clear colour.
right_low=$(clear_share "$shot" "$((w / 2 - 2))x$((h / 2))+$((w / 2 + 2))+$((h / 2))")
below 0.5 "$right_low" || hb_fail "F12 left the scene in the right half ($right_low of its lower half clear)"

# F1 (cow 2's help): the opposite.
hb_wait_frames 3 || hb_fail "no frames after F12 was let go"
hb_down F1
hb_wait_frames 3 || hb_fail "no frames with F1 held"
window_shot help_f1; shot=$SHOT
hb_up F1
left_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+0+0")
right_share=$(clear_share "$shot" "$((w / 2 - 2))x$h+$((w / 2 + 2))+0")
below "$right_share" 0.1 || hb_fail "F1 took the scene from the right half ($right_share clear)"
left_low=$(clear_share "$shot" "$((w / 2 - 2))x$((h / 2))+0+$((h / 2))")
below 0.5 "$left_low" || hb_fail "F1 left the scene in the left half ($left_low of its lower half clear)"

# The strip stays clear whatever the halves show.
strip_share=$(clear_share "$shot" "4x$((h - TOP))+$((w / 2 - 2))+$TOP")
[ "$strip_share" = 1 ] || hb_fail "the strip is not clear colour while F1 is held ($strip_share)"

hb_tap Escape
hb_wait_exit
echo "ok"
