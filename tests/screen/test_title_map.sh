#!/usr/bin/env bash
# The title screen: the arena map's colours cell by cell, both cow markers, and
# the start prompt readable along the bottom edge.
. "$(dirname "$0")/lib.sh"

# A 40 x 40 map, so each shown cell is 20 x 15 pixels of the 800 x 600 window:
# cell (c, r) covers x 20c..20c+19, y 15r..15r+14. Shown: columns 11..29,
# rows 13..30. Water and grass blocks, a row of hay, dirt elsewhere. Seen from
# above, a marker (a sphere of three slices) is a triangle around its cow.
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
            if 12 <= c <= 17 and r == 24: cell = ".*"
            if (c, r) == (25, 27): cell = ".1"
            if (c, r) == (14, 28): cell = ".2"
        cells.append(cell)
    rows.append("".join(cells))
open(sys.argv[1], "w").write("\n".join(rows) + "\n")
PY

hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_wait_frames 3 || hb_fail "no frames of the title screen"
shot=$(hb_shot title)

expect() {  # name x y "r g b"
  local got
  got=$(hb_pixel "$shot" "$2" "$3")
  hb_close "$got" "$4" 10 || hb_fail "$1 at ($2,$3) is $got, expected $4"
}
expect water 290 247 "76 76 204"
expect grass 510 247 "76 153 127"
expect dirt 410 337 "153 76 76"
expect hay 310 367 "255 204 25"
expect "margin (not shown)" 110 82 "153 204 255"
expect "cell left of the shown columns" 210 337 "153 204 255"
expect "cow 1 marker" 505 408 "255 255 255"
expect "cow 2 marker" 285 423 "255 255 255"

# The prompt: white text in a band along the bottom, centred, none above it
# outside the markers.
n=$(hb_white_count "$shot" 500x40+150+545)
[ "$n" -gt 800 ] || hb_fail "prompt missing: only $n white pixels along the bottom"
left=$(hb_white_count "$shot" 150x40+0+545)
right=$(hb_white_count "$shot" 150x40+650+545)
[ "$left" -eq 0 ] && [ "$right" -eq 0 ] || hb_fail "prompt not centred ($left left, $right right)"

hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
echo "ok"
