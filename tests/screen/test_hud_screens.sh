#!/usr/bin/env bash
# The HUD's screens in both halves, from the real game started straight into
# play with the cows' state set: the introduction, the regular HUD with hay
# carried and stored and a held syringe, and the win and lose texts.
. "$(dirname "$0")/lib.sh"

# Pixels of a region that differ by more than 10% between two shots.
changed_pixels() {
  convert "$1" "$2" -crop "$3" +repage -compose difference -composite -colorspace gray \
    -threshold 10% -format "%[fx:int(mean*w*h+0.5)]" info:
}

data=$(hb_prepare_data)
# Prints the path of a screenshot after a second of frames; run it as
# $(scene_shot NAME) and check the path, as a failure inside $(...) only ends
# the subshell.
scene_shot() {
  (cd "$data" && exec "$HB_BUILD/tests/hud_scene" "$1" >"$HB_ART/$1.stdout.txt" 2>"$HB_ART/$1.stderr.txt") &
  HB_PID=$!
  HB_OUT="$HB_ART/$1.stdout.txt"
  hb_wait_drawing || hb_fail "no window for scene $1"
  hb_shot "$1" >/dev/null
  kill "$HB_PID"; wait "$HB_PID" 2>/dev/null; HB_PID=""
  echo "$HB_ART/$1.png"
}

# In the 800 x 600 window the right half (Boris) starts at x 402 and the left
# half (Horace) at x 0; both are about 400 pixels wide, with a 90-degree
# perspective of aspect 2/3 on the near plane where the HUD lies: an eye x
# maps to a pixel 200 * (1.5 x + 1) from the half's left edge.

take() { [ -f "$1" ] || hb_fail "no screenshot of a scene"; }

shot=$(scene_shot intro); take "$shot"
for half in 0 402; do
  hb_has_text "$shot" 330x40+$((half + 30))+52 2000 "PLAYER: at x $half"
  hb_has_text "$shot" 130x42+$((half + 50))+108 1000 "the name at x $half"
  hb_has_text "$shot" 380x24+$((half + 5))+246 1000 "the hay line at x $half"
  hb_has_text "$shot" 290x20+$((half + 50))+432 600 "the help line at x $half"
done
# Horace, the longer name, reaches further right.
hb_has_text "$shot" 40x42+200+108 200 "the end of Horace"

shot=$(scene_shot regular); take "$shot"
for half in 0 402; do
  # Each number beside its bales: the carried one right of its bale, the
  # stored one above its three.
  hb_has_text "$shot" 70x45+$((half + 75))+524 600 "carried hay at x $half"
  hb_has_text "$shot" 105x45+$((half + 272))+482 900 "stored hay at x $half"
done
# The syringe icon: Boris holds it in "regular", Horace in "regular2"; all else
# is the same, so the icon's place differs between the two in both halves.
other=$(scene_shot regular2); take "$other"
for half in 0 402; do
  n=$(changed_pixels "$shot" "$other" 100x85+$((half + 140))+514)
  [ "$n" -ge 400 ] || hb_fail "the syringe icon at x $half does not follow who holds it ($n pixels)"
done

# Both wins: the name at eye x -0.6 and the verdict at 0.1, at mid-height.
# "LOSES!" starts at 0.1, "   WINS!" three spaces later, so a band just after
# the verdict's start holds text for the loser only. The scene behind is the
# same in both shots, so the loser's band has clearly more white than the
# winner's. Boris is the right half, Horace the left.
win1=$(scene_shot win1); take "$win1"
win2=$(scene_shot win2); take "$win2"
for half in 0 402; do
  for shot in "$win1" "$win2"; do
    hb_has_text "$shot" 90x40+$((half + 20))+265 600 "a name at x $half in $(basename "$shot")"
    hb_has_text "$shot" 60x40+$((half + 330))+265 300 "the verdict's end at x $half in $(basename "$shot")"
  done
  if [ $half = 402 ]; then winner=$win1 loser=$win2; else winner=$win2 loser=$win1; fi
  band=22x24+$((half + 238))+268
  a=$(hb_white_count "$loser" "$band")
  b=$(hb_white_count "$winner" "$band")
  [ $((a - b)) -ge 50 ] || hb_fail "at x $half LOSES! and WINS! are not where they belong ($a vs $b white pixels)"
done
echo "ok"
