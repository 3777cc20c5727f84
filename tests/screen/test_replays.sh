#!/usr/bin/env bash
# Every game in the window is recorded: a game played with held keys (both
# cows, their help keys too) and left with N, and the next one left with ESC,
# give two replays in $XDG_DATA_HOME/hoofbrawl/replays that --check-replay
# verifies with no display. --replay shows one in the window and records
# nothing; bad files are refused before any window; a replay directory that
# cannot be made costs one warning and the game plays on.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
replays="$XDG_DATA_HOME/hoofbrawl/replays"
check() { env -u DISPLAY "$HB_BUILD/hoofbrawl" --check-replay "$1"; }
into_play() {
  hb_tap_seen space || hb_fail "no frames on the splash screen"
  hb_tap_seen space || hb_fail "no frames on the title screen"
}

hb_start "$data"
hb_wait_drawing || hb_fail "no window"
into_play
hb_down Up; hb_down w
hb_wait_frames 40 || hb_fail "no frames in play"
hb_down F1; hb_down F12
hb_wait_frames 10
hb_up F1; hb_up F12; hb_up Up
hb_down Shift_R; hb_down Left
hb_wait_frames 30
hb_up Shift_R; hb_up Left; hb_up w
hb_tap_seen n || hb_fail "the game stopped drawing after N"
into_play
hb_down d
hb_wait_frames 30
hb_up d
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"

ls "$replays" >"$HB_ART/replays.txt"
mapfile -t files < <(ls "$replays"/*.hbreplay 2>/dev/null)
[ ${#files[@]} = 2 ] || hb_fail "expected two replays, found: $(cat "$HB_ART/replays.txt")"
for f in "${files[@]}"; do
  cp "$f" "$HB_ART/"
  line=$(check "$f"); rc=$?
  echo "$line"
  [ $rc = 0 ] || hb_fail "check of $f gave $rc: $line"
  [[ "$line" =~ ^"$f: "[0-9]+" steps, Boris "[0-9]+" - Horace "[0-9]+", verified"$ ]] || hb_fail "check said: $line"
  steps=${line#*: }; steps=${steps%% *}
  [ "$steps" -ge 30 ] || hb_fail "only $steps steps recorded in $f"
done

# A copy cut short (what a crash leaves) is checked as far as it goes.
size=$(stat -c %s "${files[0]}")
head -c $((size - 20)) "${files[0]}" >"$HB_WORK/cut.hbreplay"
line=$(check "$HB_WORK/cut.hbreplay" 2>&1); rc=$?
[ $rc = 2 ] || hb_fail "a replay cut short gave $rc: $line"
[[ "$line" == "$HB_WORK/cut.hbreplay: cut short at byte $((size - 20))"*"verified as far as they go" ]] || hb_fail "cut short: $line"

# Bad files: one line, status 2, no window.
echo "not a replay" >"$HB_WORK/bad.hbreplay"
for option in --check-replay --replay; do
  out=$("$HB_BUILD/hoofbrawl" $option "$HB_WORK/bad.hbreplay" 2>&1); rc=$?
  [ $rc = 2 ] || hb_fail "$option on a bad file gave $rc"
  [ "$out" = "$HB_WORK/bad.hbreplay: not a replay (it does not start with HBREPLAY)" ] || hb_fail "$option said: $out"
done

# Watching: the game again in the window, run at four times the pace with
# the right arrow held, its end held until ESC; nothing new recorded.
HB_OUT="$HB_ART/watch_stdout.txt"
(cd "$data" && exec "$HB_BUILD/hoofbrawl" --replay "${files[0]}" >"$HB_OUT" 2>"$HB_ART/watch_stderr.txt") &
HB_PID=$!
hb_wait_drawing || hb_fail "no window for the replay"
hb_down Right
hb_wait_frames 40
hb_up Right
hb_wait_frames 20
end=$(hb_shot replay_end)
hb_has_text "$end" 600x40+100+0 300 "the end of the replay's line"
hb_wait_frames 5
kill -0 "$HB_PID" 2>/dev/null || hb_fail "the replay's window closed at its end"
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 0 ] || hb_fail "ESC while watching gave $HB_RC"
[ -s "$HB_ART/watch_stderr.txt" ] && hb_fail "watching said: $(cat "$HB_ART/watch_stderr.txt")"
[ "$(ls "$replays" | wc -l)" = 2 ] || hb_fail "watching recorded a replay: $(ls "$replays")"

# No directory for replays: one warning, and the game plays on.
touch "$HB_WORK/file"
export XDG_DATA_HOME="$HB_WORK/file/data"
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
into_play
hb_wait_frames 10 || hb_fail "the game stopped without a replay directory"
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
[ "$(wc -l <"$HB_ART/stderr.txt")" = 1 ] || hb_fail "not one line: $(cat "$HB_ART/stderr.txt")"
grep -q "^hoofbrawl: $HB_WORK/file/data: cannot make the replay directory: Not a directory; this game is not recorded$" \
  "$HB_ART/stderr.txt" || hb_fail "warning: $(cat "$HB_ART/stderr.txt")"
echo "ok"
