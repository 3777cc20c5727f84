#!/usr/bin/env bash
# The help key after the introduction: F12 turns the right half into the help
# panel (arena map above, controls below) while the left half plays on; F1
# does the same for the left half.
. "$(dirname "$0")/lib.sh"

# Mean absolute difference of two shots in a region, in percent.
difference() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -format "%[fx:int(100*mean+0.5)]" info:
}

# A 40 x 40 map with known colours: in the help panel's upper half each cell
# is 10 x 7.5 pixels, cell (c, r) at x = left + 10c, y = 7.5r.
data=$(hb_prepare_data)
python3 - "$data/_maps/Map02.map" <<'PY'
import sys
rows = []
for r in range(40):
    cells = []
    for c in range(40):
        cell = "X "
        if 11 <= c <= 29 and 13 <= r <= 30:
            cell = ". "
            if 12 <= c <= 17 and 14 <= r <= 19: cell = "~ "
            if 22 <= c <= 28 and 14 <= r <= 19: cell = "_ "
            if (c, r) == (25, 27): cell = ".1"
            if (c, r) == (14, 28): cell = ".2"
        cells.append(cell)
    rows.append("".join(cells))
open(sys.argv[1], "w").write("\n".join(rows) + "\n")
PY

hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_tap_seen space
# The introduction lasts 100 frames (about 5 s); wait until "PLAYER:" is gone.
hb_wait_intro_gone 40 || hb_fail "the introduction never ended"
hb_wait_frames 2 || hb_fail "no frames after the introduction"
before=$(hb_shot before_help)

check_panel() {  # shot left-edge-of-half width what
  local shot=$1 left=$2 width=$3 what=$4 px
  # Upper half: the map, cell (c, r) at x = left + c * width / 40, y = 7.5 r.
  px=$(hb_pixel "$shot" $((left + 145 * width / 400)) 120)
  hb_close "$px" "76 76 204" 10 || hb_fail "$what: no water in the map ($px)"
  px=$(hb_pixel "$shot" $((left + 255 * width / 400)) 120)
  hb_close "$px" "76 153 127" 10 || hb_fail "$what: no grass in the map ($px)"
  px=$(hb_pixel "$shot" $((left + 205 * width / 400)) 165)
  hb_close "$px" "153 76 76" 10 || hb_fail "$what: no dirt in the map ($px)"
  # Outside the map, the clear colour: nothing else is drawn in this half.
  px=$(hb_pixel "$shot" $((left + 20)) 20)
  hb_close "$px" "153 204 255" 10 || hb_fail "$what: the corner is not clear colour ($px)"
  # The prompt under the map, then CONTROLS and the eight lines below it.
  hb_has_text "$shot" $((width / 2))x20+$((left + width / 4))+272 150 "$what: the prompt"
  hb_has_text "$shot" $((width * 55 / 100))x32+$((left + width / 5))+300 1000 "$what: CONTROLS"
  local y
  for y in 345 375 405 435 465 495 525 555; do
    hb_has_text "$shot" 100x14+$((left + width / 5))+$y 60 "$what: a controls line at y $y"
  done
}

hb_down F12
hb_wait_frames 2 || hb_fail "no frames with F12 held"
help1=$(hb_shot help_boris)
hb_up F12
check_panel "$help1" 402 400 "Boris's help"
d=$(difference "$before" "$help1" 398x600+0+0)
[ "$d" -le 3 ] || hb_fail "the left half changed by $d% while F12 was held"

hb_wait_frames 2 || hb_fail "no frames after F12 was let go"
hb_down F1
hb_wait_frames 2 || hb_fail "no frames with F1 held"
help2=$(hb_shot help_horace)
hb_up F1
check_panel "$help2" 0 398 "Horace's help"
d=$(difference "$before" "$help2" 398x600+402+0)
[ "$d" -le 3 ] || hb_fail "the right half changed by $d% while F1 was held"

hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
echo "ok"
