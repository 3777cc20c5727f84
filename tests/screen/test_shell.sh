#!/usr/bin/env bash
# The window, the quit key in every phase, the frame-rate line and broken maps.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)

# ESC on the splash screen.
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap Escape
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "ESC on the splash screen gave status $rc"
grep -Eq '^ *[0-9]+\.[0-9] fps \([0-9]+\)$' "$HB_ART/stdout.txt" || hb_fail "no fps line after a second of frames"

# ESC on the title screen and in play.
for presses in 1 2; do
  hb_start "$data"
  hb_wait_drawing || hb_fail "no window"
  for ((i = 0; i < presses; i++)); do hb_tap space; done
  hb_tap Escape
  hb_wait_exit; rc=$HB_RC
  [ "$rc" = 1 ] || hb_fail "ESC after $presses SPACE presses gave status $rc"
done

# A map without cow '2' stops before the first frame with its reason.
printf '.1. \n. . \n' >"$data/_maps/Map02.map"
hb_start "$data"
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "broken map gave status $rc"
grep -q "_maps/Map02.map: no cow '2'" "$HB_ART/stderr.txt" || hb_fail "broken map message missing: $(cat "$HB_ART/stderr.txt")"
grep -q fps "$HB_ART/stdout.txt" && hb_fail "a frame was drawn with a broken map"

# The shipped map with one empty line at its end would be 0 cells wide.
cp "$HB_BUILD/data/_maps/Map02.map" "$data/_maps/Map02.map"
echo >>"$data/_maps/Map02.map"
empty=$(($(wc -l <"$data/_maps/Map02.map")))
hb_start "$data"
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "map with a trailing empty line gave status $rc"
[ "$(wc -l <"$HB_ART/stderr.txt")" = 1 ] || hb_fail "more than one line on stderr: $(cat "$HB_ART/stderr.txt")"
grep -q "_maps/Map02.map: line $empty is empty.*width.*last line" "$HB_ART/stderr.txt" ||
  hb_fail "empty last line message missing: $(cat "$HB_ART/stderr.txt")"
grep -q fps "$HB_ART/stdout.txt" && hb_fail "a frame was drawn with a map 0 cells wide"

# A map that is named but cannot be opened (a dangling link) still claims its
# directory, and the game says why it cannot open it.
rm "$data/_maps/Map02.map"
ln -s nowhere.map "$data/_maps/Map02.map"
hb_start "$data"
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "missing map gave status $rc"
grep -q "_maps/Map02.map: cannot open the map" "$HB_ART/stderr.txt" || hb_fail "missing map message missing"
echo "ok"
