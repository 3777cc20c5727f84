#!/usr/bin/env bash
# The window's frame and the headless step give the same game: 1,200 playing
# frames of one script of held keys (both help keys together in some of them)
# through displayFrame under the X server, and through the step alone, agree
# on the state's digest at every frame. The live run's replay checks too.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
frames=1200
digests='^[0-9]+ [0-9a-f]{16}$'
(cd "$data" && "$HB_BUILD/tests/live_digest" --live $frames --record "$HB_WORK/live.hbreplay") \
  >"$HB_ART/live.txt" 2>"$HB_ART/live_stderr.txt" || hb_fail "the live run failed: $(cat "$HB_ART/live_stderr.txt")"
(cd "$data" && env -u DISPLAY "$HB_BUILD/tests/live_digest" --headless $frames) \
  >"$HB_ART/headless.txt" 2>"$HB_ART/headless_stderr.txt" || hb_fail "the headless run failed"
grep -E "$digests" "$HB_ART/live.txt" >"$HB_ART/live_digests.txt"
[ "$(wc -l <"$HB_ART/live_digests.txt")" = $frames ] || hb_fail "the live run drew $(wc -l <"$HB_ART/live_digests.txt") playing frames, not $frames"
[ "$(sort -u -k2,2 "$HB_ART/headless.txt" | wc -l)" -gt $((frames / 2)) ] || hb_fail "the script hardly changes the game"
first=$(diff "$HB_ART/live_digests.txt" "$HB_ART/headless.txt" | sed -n 's/^< \([0-9]*\) .*/\1/p' | head -n1)
[ -z "$first" ] || hb_fail "the live frame and the headless step part at frame $first"

line=$(env -u DISPLAY "$HB_BUILD/hoofbrawl" --check-replay "$HB_WORK/live.hbreplay") || hb_fail "the live run's replay: $line"
[ "$line" = "$HB_WORK/live.hbreplay: $frames steps, Boris 0 - Horace 0, verified" ] || hb_fail "check said: $line"
echo "ok: $frames frames agree"
