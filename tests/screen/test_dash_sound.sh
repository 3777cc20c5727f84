#!/usr/bin/env bash
# The dash sound restarts in every frame of a headbutt dash. Recorded through
# OpenAL Soft's wave backend with every other sound silenced, the restarts
# must not click: no step between consecutive output samples above 2,000.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
# Only the dash sounds; every other file is a short silence, so nothing else
# is in the recording.
for f in "$data"/sounds/*.wav; do
  [ "$(basename "$f")" = headbutt2.wav ] && continue
  sox -n -r 22050 -c 1 -b 16 -e signed-integer "$f" trim 0 0.3
done
# Cow 1 (facing left) has a clear run to its left; cow 2 is out of the way.
cat >"$data/_maps/Map02.map" <<'MAP'
. . . . . . . . . . . . . . . . . . . . 
. . . . . . . . . . . . . . . . .1. . . 
. . . . . . . . . . . . . . . . . . . . 
. . . . . . . . . . . . . . . . . . . . 
. .2. . . . . . . . . . . . . . . . . . 
MAP

rec="$HB_ART/dash.wav"
conf="$HB_WORK/alsoft.conf"
printf 'drivers=wave\n[wave]\nfile=%s\n' "$rec" >"$conf"
unset ALSOFT_DRIVERS
export ALSOFT_CONF="$conf"

hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space   # splash -> title
hb_tap_seen space   # play
# Three dashes, each key held past the five dash frames, then let go for a
# dozen frames or more.
for k in 1 2 3; do
  hb_down Control_R
  hb_wait_frames 6 || hb_fail "no frames while dashing"
  hb_up Control_R
  hb_wait_frames 12 || hb_fail "no frames after a dash"
done
hb_tap Escape
hb_wait_exit; rc=$HB_RC
[ "$rc" = 1 ] || hb_fail "ESC gave status $rc"
[ -s "$rec" ] || hb_fail "nothing recorded"
sox --ignore-length "$rec" -n spectrogram -x 1200 -y 300 -o "$HB_ART/dash.png" 2>/dev/null

# The first channel as 16-bit samples; the largest step between neighbours,
# and how many bursts (rises out of silence) were heard.
sox --ignore-length "$rec" -t raw -e signed-integer -b 16 -c 1 "$HB_WORK/dash.raw" remix 1
read -r step bursts loud <<<"$(python3 - "$HB_WORK/dash.raw" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
s = struct.unpack('<%dh' % (len(data) // 2), data[: len(data) // 2 * 2])
step = max((abs(s[i] - s[i - 1]) for i in range(1, len(s))), default=0)
# Bursts: the peak of 2 ms blocks rising above 1000 after falling below 500.
block = 88
peaks = [max(abs(v) for v in s[i:i + block]) for i in range(0, len(s) - block, block)]
bursts, armed = 0, True
for p in peaks:
    if p > 1000 and armed: bursts += 1; armed = False
    if p < 500: armed = True
print(step, bursts, max(peaks, default=0))
PY
)"
echo "largest step $step, $bursts bursts, loudest $loud"
[ "$loud" -gt 3000 ] || hb_fail "the dash was not heard (peak $loud)"
# Each dash is five restarts, each heard whole, then the tail.
[ "$bursts" -ge 15 ] || hb_fail "only $bursts dash sounds heard"
[ "$step" -le 2000 ] || hb_fail "a restart clicks: a step of $step"
echo "ok"
