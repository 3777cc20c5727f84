#!/usr/bin/env bash
# The splash screen shows splashscreen.bmp over the whole window, upright and
# the right way round, whichever form the file is stored in; and the game's own
# splash picture shows sky above and meadow below.
. "$(dirname "$0")/lib.sh"

# An X server without -noreset resets whenever its last client leaves, and a
# game starting during that reset cannot connect: hold one connection open.
xprop -root -spy >/dev/null 2>&1 &
holder=$!
trap 'kill $holder 2>/dev/null; hb_cleanup' EXIT

data=$(hb_prepare_data)
pics="$HB_WORK/pics"
mkdir -p "$pics"

# Four quadrants: red top left, green top right, blue bottom left, yellow bottom right.
quadrants() {  # WxH OUTPUT
  local w=${1%x*} h=${1#*x}
  convert -size "$1" xc:red -fill lime -draw "rectangle $((w / 2)),0 $((w - 1)),$((h / 2 - 1))" \
    -fill blue -draw "rectangle 0,$((h / 2)) $((w / 2 - 1)),$((h - 1))" \
    -fill yellow -draw "rectangle $((w / 2)),$((h / 2)) $((w - 1)),$((h - 1))" "$2"
}
quadrants 64x64 "$pics/q64.png"
quadrants 98x60 "$pics/q98.png"   # neither side a power of two, rows not a multiple of 4 bytes

convert "$pics/q64.png" -type truecolor BMP3:"$pics/info24.bmp"
convert "$pics/q64.png" -type palette -compress None BMP3:"$pics/info4.bmp"
convert "$pics/q64.png" -type palette -compress RLE BMP3:"$pics/rle8.bmp"
convert "$pics/q64.png" -type palette BMP2:"$pics/core4.bmp"
convert "$pics/q64.png" -type truecolor BMP2:"$pics/core24.bmp"
convert "$pics/q98.png" -type truecolor BMP3:"$pics/odd24.bmp"

# Forms no converter writes, byte by byte: 2 x 2 pictures.
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
red='\x00\x00\xff' green='\x00\xff\x00' blue='\xff\x00\x00' yellow='\x00\xff\xff' pad='\x00\x00'
{ # stored top row first: a negative height
  printf 'BM'; le32 70; le32 0; le32 54
  le32 40; le32 2; le32 $((0xFFFFFFFE)); le16 1; le16 24; le32 0; le32 16; le32 0; le32 0; le32 0; le32 0
  printf "$red$green$pad$blue$yellow$pad"
} >"$pics/topdown24.bmp"
{ # a bare 12-byte header, no file header
  le32 12; le16 2; le16 2; le16 1; le16 24
  printf "$blue$yellow$pad$red$green$pad"
} >"$pics/bare24.bmp"

check_quadrants() {  # SHOT FORM
  local at want got
  for at in "20x20+190+140:255 0 0" "20x20+590+140:0 255 0" "20x20+190+440:0 0 255" "20x20+590+440:255 255 0"; do
    want=${at#*:}
    got=$(hb_region_mean "$1" "${at%%:*}")
    hb_close "$got" "$want" 24 || hb_fail "$2: region ${at%%:*} is $got, expected $want"
  done
}

for form in info24 info4 rle8 core4 core24 odd24 topdown24 bare24; do
  cp "$pics/$form.bmp" "$data/splashscreen.bmp"
  hb_start "$data"
  hb_wait_drawing || hb_fail "$form: no window"
  shot=$(hb_shot "splash_$form")
  check_quadrants "$shot" "$form"
  grep -q "DIB\|format\|memory\|conversion" "$HB_ART/stderr.txt" && hb_fail "$form: $(cat "$HB_ART/stderr.txt")"
  hb_tap Escape
  hb_wait_exit
done

# After its first frame the splash is shown from what the back buffer kept
# rather than drawn again: later frames look exactly the same, and a resized
# window gets the picture drawn afresh at its new size.
cp "$pics/info24.bmp" "$data/splashscreen.bmp"
hb_start "$data"
hb_wait_drawing || hb_fail "kept splash: no window"
early=$(hb_shot splash_early)
hb_wait_frames 20 || hb_fail "kept splash: no more frames"
later=$(hb_shot splash_later)
[ "$(compare -metric AE "$early" "$later" null: 2>&1)" = 0 ] || hb_fail "the splash changed between frames"
xdotool windowsize "$HB_WID" 500 400
hb_wait_frames 5 || hb_fail "kept splash: no frames after the resize"
shot=$(hb_shot splash_resized)
size=$(identify -format %wx%h "$shot")
case $size in 49[89]x39[89] | 500x400) ;; *) hb_fail "the window was not resized: $size" ;; esac
for at in "20x20+115+90:255 0 0" "20x20+365+90:0 255 0" "20x20+115+290:0 0 255" "20x20+365+290:255 255 0"; do
  got=$(hb_region_mean "$shot" "${at%%:*}")
  hb_close "$got" "${at#*:}" 24 || hb_fail "resized splash: region ${at%%:*} is $got, expected ${at#*:}"
done
hb_tap Escape
hb_wait_exit

# The game's own picture: sky at the top, meadow at the bottom, all of it shown.
data=$(hb_prepare_data real)
hb_start "$data"
hb_wait_drawing || hb_fail "no window with the real splash picture"
shot=$(hb_shot splash_real)
read -r r g b <<<"$(hb_region_mean "$shot" 800x40+0+0)"
[ "$b" -gt 150 ] && [ "$b" -gt "$r" ] || hb_fail "the top of the splash is not sky: $r $g $b"
read -r r g b <<<"$(hb_region_mean "$shot" 800x40+0+560)"
[ "$g" -gt "$r" ] && [ "$g" -gt "$b" ] || hb_fail "the bottom of the splash is not meadow: $r $g $b"
hb_tap Escape
hb_wait_exit
echo "ok"
