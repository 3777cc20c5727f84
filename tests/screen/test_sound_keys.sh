#!/usr/bin/env bash
# M mutes and unmutes the game, - and = step its volume by tenths: heard
# through OpenAL Soft's wave backend, which records what the game plays.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
rec="$HB_ART/recording.wav"
conf="$HB_WORK/alsoft.conf"
printf 'drivers=wave\n[wave]\nfile=%s\n' "$rec" >"$conf"
unset ALSOFT_DRIVERS
export ALSOFT_CONF="$conf"

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
add() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }
# RMS level in dB of the recording from START for LENGTH seconds.
rms() {
  sox --ignore-length "$rec" -n trim "$1" "$2" stats 2>&1 |
    awk '/^RMS lev dB/ { print ($4 == "-inf" ? -1000 : $4) }'
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

t0=$(now)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
hb_tap_seen space
hb_tap_seen space
sleep 4  # past the start jingle: the ambience alone
loud_at=$(since "$t0")
sleep 2
hb_tap_seen m
muted_at=$(since "$t0")
sleep 2.5
hb_tap_seen m
unmuted_at=$(since "$t0")
sleep 2.5
for _ in 1 2 3 4 5 6 7 8; do hb_tap_seen minus; done
# The level shows for a moment after each step: looked at while it does.
hb_down minus
sleep 0.6
shot=$(hb_shot volume_shown)
hb_up minus
sleep 0.3
quiet_at=$(since "$t0")
hb_has_text "$shot" 400x60+200+90 400 "the volume shown on screen"
sleep 3
hb_tap Escape
hb_wait_exit
ended=$(since "$t0")
[ "$HB_RC" = 1 ] || hb_fail "ESC gave $HB_RC"
[ -s "$rec" ] || hb_fail "nothing recorded"
length=$(sox --ignore-length "$rec" -n stats 2>&1 | awk '/^Length s/ { print $3 }')
late=$(awk -v e="$ended" -v l="$length" 'BEGIN { d = e - l; printf "%.2f", (d > 0 ? d : 0) }')
sox --ignore-length "$rec" -n spectrogram -x 1200 -y 300 -o "$HB_ART/recording.png" 2>/dev/null

# Half a second into each stretch, for the key to be seen and the device's
# buffer to drain; a stretch of 1.5 seconds.
at() { add "$(add "$1" "-$late")" 0.5; }
full=$(rms "$(at "$loud_at")" 2)
muted=$(rms "$(at "$muted_at")" 1.5)
back=$(rms "$(at "$unmuted_at")" 2)
quiet=$(rms "$(at "$quiet_at")" 2.5)
echo "ambience: $full dB; muted: $muted dB; unmuted: $back dB; a tenth: $quiet dB"
above "$full" -50 || hb_fail "no ambience to begin with ($full dB)"
above -80 "$muted" || hb_fail "sound while muted ($muted dB)"
above "$back" -50 || hb_fail "no sound after unmuting ($back dB)"
# A tenth of the volume is 20 dB down. The morning ambience itself wanders
# by some 10 dB from one stretch to the next, so the bounds are wide; a
# volume key that did nothing, or silenced the game, falls outside them.
drop=$(awk -v a="$full" -v b="$back" -v c="$quiet" 'BEGIN { printf "%.1f", (a + b) / 2 - c }')
echo "nine steps down: $drop dB quieter"
awk -v d="$drop" 'BEGIN { exit !(d > 11 && d < 33) }' || hb_fail "nine steps down made it $drop dB quieter, not about 20"

# The level the player chose is kept for the next run.
grep -qx 'volume = 1' "$HB_SETTINGS" || hb_fail "the volume was not kept: $(cat "$HB_SETTINGS" 2>&1)"
grep -qx 'mute = no' "$HB_SETTINGS" || hb_fail "mute was not kept as off"
echo "ok"
