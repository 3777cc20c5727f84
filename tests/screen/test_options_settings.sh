#!/usr/bin/env bash
# The command line (--help, an unknown option, --map, --mute) and the
# settings file: a damaged one is named line by line, the game runs on the
# defaults and leaves the file alone; one that cannot be saved is said once.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
game="$HB_BUILD/hoofbrawl"

# --help lists the options this part of the game reads.
help=$("$game" --help) || hb_fail "--help failed"
for o in --fullscreen --windowed --mute "--map FILE"; do
  grep -q -- "^  $o " <<<"$help" || hb_fail "--help does not list $o"
done
# An unknown option: status 2, the option named, the list on standard error.
"$game" --no-such-thing >"$HB_ART/unknown.out" 2>"$HB_ART/unknown.err"
rc=$?
[ "$rc" = 2 ] || hb_fail "an unknown option gave status $rc"
grep -q "unknown option --no-such-thing" "$HB_ART/unknown.err" || hb_fail "the unknown option was not named"
[ -s "$HB_ART/unknown.out" ] && hb_fail "the usage went to standard output"

# A map the reader refuses: its message, status 1, before any window.
printf '.1.1\n' >"$HB_WORK/broken.map"
(cd "$data" && "$game" --map "$HB_WORK/broken.map" >/dev/null 2>"$HB_ART/broken.err")
rc=$?
[ "$rc" = 1 ] || hb_fail "a refused map gave status $rc"
grep -q "broken.map" "$HB_ART/broken.err" || hb_fail "the refused map was not named: $(cat "$HB_ART/broken.err")"

# A damaged settings file, and --map with a map of the player's own given
# relative to where the game is started.
mkdir -p "$(dirname "$HB_SETTINGS")"
printf 'volume = 4\nvolume = loud\nboris.up = NOKEY\narena = Paddock\n' >"$HB_SETTINGS"
before=$(md5sum <"$HB_SETTINGS")
cp "$(dirname "$0")/maps/pond.map" "$HB_WORK/pond.map"
HB_OUT="$HB_ART/stdout.txt"
(cd "$HB_WORK" && exec "$game" --map pond.map --mute >"$HB_OUT" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
shot=$(hb_shot own_map)
# The test map's pond and grass where the title draws them (as the title test sees them).
hb_close "$(hb_pixel "$shot" 290 247)" "76 76 204" 10 || hb_fail "the pond of --map is not on the title"
hb_close "$(hb_pixel "$shot" 510 247)" "76 153 127" 10 || hb_fail "the grass of --map is not on the title"
grep -q "settings.ini:2: volume 'loud'" "$HB_ART/stderr.txt" || hb_fail "no warning for line 2: $(cat "$HB_ART/stderr.txt")"
grep -q "settings.ini:3: no key is called 'NOKEY'" "$HB_ART/stderr.txt" || hb_fail "no warning for line 3"
[ "$(grep -c settings.ini "$HB_ART/stderr.txt")" = 2 ] || hb_fail "not one line per damaged line"
hb_tap_seen space
hb_wait_frames 20
hb_tap Escape
hb_wait_exit
[ "$(md5sum <"$HB_SETTINGS")" = "$before" ] || hb_fail "the damaged file was rewritten with nothing changed"

# A configuration directory that cannot be made (a file stands in its way):
# the game plays on, and says once that it cannot save.
export XDG_CONFIG_HOME="$HB_WORK/in-the-way"
printf 'not a directory\n' >"$XDG_CONFIG_HOME"
hb_start "$data"
hb_wait_drawing || hb_fail "no window without a configuration directory"
hb_tap_seen space
hb_tap_seen space
hb_tap_seen minus
hb_tap_seen m
hb_tap_seen m
hb_wait_frames 20 || hb_fail "the game stopped after it could not save"
[ "$(grep -c 'cannot save the settings' "$HB_ART/stderr.txt")" = 1 ] ||
  hb_fail "not said exactly once: $(cat "$HB_ART/stderr.txt")"
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
echo "ok"
