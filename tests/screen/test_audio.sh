#!/usr/bin/env bash
# What the game sounds like, recorded through OpenAL Soft's wave backend: the
# intro tune on the splash screen, the start fanfare and the morning ambience
# once play begins, nothing clipped. And a missing sound file ending the game
# before anything else is loaded.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
rec="$HB_ART/recording.wav"
conf="$HB_WORK/alsoft.conf"
printf 'drivers=wave\n[wave]\nfile=%s\n' "$rec" >"$conf"
# ctest asks for the null backend; this test wants the recording one.
unset ALSOFT_DRIVERS
export ALSOFT_CONF="$conf"

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
add() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }

# "Pk RMS" in dB of the recording from START for LENGTH seconds.
levels() {
  sox --ignore-length "$rec" -n trim "$1" "$2" stats 2>&1 |
    awk '/^Pk lev dB/ { pk = $4 } /^RMS lev dB/ { rms = $4 } END { print pk, rms }'
}
# True when dB value A is above B.
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

t0=$(now)
hb_start "$data"
hb_wait_drawing || hb_fail "no window"
# The waits below are lengths of the recording to judge, not waits for states.
sleep 2
splash_end=$(since "$t0")
hb_tap space
sleep 1
play_at=$(since "$t0")
hb_tap space
sleep 5
hb_tap Escape
hb_wait_exit; rc=$HB_RC
ended=$(since "$t0")
[ "$rc" = 1 ] || hb_fail "ESC gave status $rc"
[ -s "$rec" ] || hb_fail "nothing recorded"
# The game closes the audio device on its way out, so the recording's header
# is complete: its RIFF size covers the whole file.
riff=$(od -An -t u4 -j 4 -N 4 "$rec" | tr -d ' ')
[ "$riff" = $(( $(stat -c %s "$rec") - 8 )) ] ||
  hb_fail "the recording's header was left open (RIFF size $riff): the device was not closed"
# The device opens a little after the game starts and records in real time
# until the game ends, so the recording's length tells how late it began.
length=$(sox --ignore-length "$rec" -n stats 2>&1 | awk '/^Length s/ { print $3 }')
late=$(awk -v e="$ended" -v l="$length" 'BEGIN { d = e - l; printf "%.2f", (d > 0 ? d : 0) }')
splash_end=$(add "$splash_end" "-$late")
play_at=$(add "$play_at" "-$late")
echo "recording: $length s, began $late s after the game started; play at $play_at s"
sox --ignore-length "$rec" -n spectrogram -x 1200 -y 300 -o "$HB_ART/recording.png" 2>/dev/null

# Splash screen: the intro tune, well above silence.
read -r pk rms <<<"$(levels "$(add "$splash_end" -1.5)" 1.5)"
echo "splash: peak $pk dB, rms $rms dB"
above "$rms" -40 || hb_fail "splash screen silent (rms $rms dB)"

# Play begins: the fanfare over the ambience, clearly louder than the ambience
# alone a few seconds later, which is still audible.
read -r fpk frms <<<"$(levels "$play_at" 1.5)"
read -r apk arms <<<"$(levels "$(add "$play_at" 2.5)" 2.3)"
echo "fanfare: peak $fpk dB, rms $frms dB; ambience: peak $apk dB, rms $arms dB"
above "$frms" -35 || hb_fail "no start fanfare (rms $frms dB)"
above "$arms" -50 || hb_fail "no ambience (rms $arms dB)"
above "$frms" "$(add "$arms" 3)" || hb_fail "fanfare not above the ambience"
# With the intro stopped the ambience alone is quieter than the tune was.
above "$rms" "$arms" || hb_fail "the intro seems to go on in play (ambience $arms dB, splash $rms dB)"

# Nothing clipped anywhere in the recording.
read -r allpk allrms <<<"$(levels 0 -0)"
echo "whole recording: peak $allpk dB, rms $allrms dB"
above -0.1 "$allpk" || hb_fail "the recording reaches full scale ($allpk dB)"

# A missing sound ends start-up at its row: exact message and code on standard
# output, status 255, and no font, texture or map is even looked for (each of
# them is broken too, and none complains).
unset ALSOFT_CONF
export ALSOFT_DRIVERS=null
rm "$data/sounds/headbutt_hit.wav" "$data/fonts/arial.ttf" "$data/splashscreen.bmp"
printf 'not a map\n' >"$data/_maps/Map02.map"  # present, so the game stays in this directory
hb_start "$data"
hb_wait_exit; rc=$HB_RC
[ "$rc" = 255 ] || hb_fail "missing sound gave status $rc"
out=$(cat "$HB_ART/stdout.txt")
want='alSettingASource(CowSoundBuffer,Hit, "sounds/headbutt_hit.wav"): 526'
[ "$out" = "$want" ] || hb_fail "missing sound printed '$out'"
grep -q 'sounds/headbutt_hit.wav: cannot open it' "$HB_ART/stderr.txt" || hb_fail "no reason on standard error"
grep -Eiq 'map|arial|font|splashscreen' "$HB_ART/stderr.txt" && hb_fail "went on loading: $(cat "$HB_ART/stderr.txt")"
echo "ok"
