#!/usr/bin/env bash
# Without its font the game says which file it could not open and stops with
# status 1, after the window exists and before any frame is drawn.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)

# The order: a font that blocks on opening (a named pipe) holds start-up at the
# font, where the window must already exist and no frame may have been drawn.
rm "$data/fonts/arial.ttf"
mkfifo "$data/fonts/arial.ttf"
hb_start "$data"
hb_wait_window 20 || hb_fail "no window while start-up waits on the font"
# Nothing to wait for: a second in which no frame may be drawn.
sleep 1
grep -q fps "$HB_ART/stdout.txt" && hb_fail "a frame was drawn before the font was read"
# Every one of the six fonts opens the file; feed each something that is not a font.
for _ in $(seq 1 20); do
  kill -0 "$HB_PID" 2>/dev/null || break
  timeout 1 sh -c "echo 'not a font' >'$data/fonts/arial.ttf'" 2>/dev/null
done
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "an unreadable font gave status $HB_RC"
[ "$(cat "$HB_ART/stderr.txt")" = "Failed to open font fonts/arial.ttf" ] ||
  hb_fail "stderr was: $(cat "$HB_ART/stderr.txt")"
grep -q fps "$HB_ART/stdout.txt" && hb_fail "a frame was drawn without a font"

# A missing font: the same message, without a line break, and status 1.
rm "$data/fonts/arial.ttf"
hb_start "$data"
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "missing font gave status $HB_RC"
[ "$(cat "$HB_ART/stderr.txt")" = "Failed to open font fonts/arial.ttf" ] ||
  hb_fail "stderr was: $(cat "$HB_ART/stderr.txt")"
[ "$(tail -c 1 "$HB_ART/stderr.txt" | od -An -c | tr -d ' ')" = "f" ] || hb_fail "the message ends in a line break"
grep -q fps "$HB_ART/stdout.txt" && hb_fail "a frame was counted without a font"
echo "ok"
