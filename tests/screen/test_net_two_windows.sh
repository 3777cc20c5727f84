#!/usr/bin/env bash
# Two game windows on one X server play each other over loopback: the host
# (Boris, right half) and the guest (Horace, left half). Keys pressed in each
# window move that player's cow, and both windows show both cows moving; the
# local half is framed. Three seconds of silence on the link (the guest joins
# through a relay on 127.0.0.1) are waited out; N on both starts a new game
# on both. P in one window pauses both, P in the other resumes both. ESC in
# the guest is reported by the host. The guest's
# window goes below the host's: a window wholly covered is not redrawn, and a
# window that draws no frames runs no steps. The top 360 rows of each are
# compared, which both show.
. "$(dirname "$0")/lib.sh"

data=$(hb_prepare_data)
(cd "$data" && exec "$HB_BUILD/hoofbrawl" --host 0 >"$HB_ART/host.out" 2>"$HB_ART/host.err") &
HB_PID=$!
HB_OUT="$HB_ART/host.out"
hb_wait_output '^Hosting on port [0-9]*$' 60 || hb_fail "host: no 'Hosting on port N': $(cat "$HB_ART/host.err")"
port=$(sed -n 's/^Hosting on port \([0-9]*\)$/\1/p' "$HB_ART/host.out")
host_pid=$HB_PID
hb_wait_window 60 || hb_fail "no host window"
host_wid=$HB_WID
# The title screen shows the port.
hb_tap_seen space || hb_fail "the host drew no frames"
hb_wait_frames 5
import -window "$host_wid" "$HB_ART/host_title.png"

# The guest joins through a relay on 127.0.0.1 that the test can silence.
silence="$HB_WORK/silence"
coproc RELAY { exec python3 "$HOOFBRAWL_SOURCE/tests/net/udp_relay.py" --host-port "$port" \
  --silent-file "$silence" --lifetime 250; }
relay_pid=$RELAY_PID
read -r relay_port <&"${RELAY[0]}"
(cd "$data" && exec "$HB_BUILD/hoofbrawl" --join "127.0.0.1:$relay_port" >"$HB_ART/guest.out" 2>"$HB_ART/guest.err") &
guest_pid=$!
deadline=$((SECONDS + 60))
guest_wid=""
while [ $SECONDS -lt $deadline ] && [ -z "$guest_wid" ]; do
  guest_wid=$(xdotool search --onlyvisible --name '^Hoofbrawl$' 2>/dev/null | grep -vx "$host_wid" | head -n1)
  sleep 0.2
done
[ -n "$guest_wid" ] || { kill "$guest_pid"; hb_fail "no guest window: $(cat "$HB_ART/guest.err")"; }
xdotool windowmove "$guest_wid" 0 384
cleanup_guest() { hb_end_process "$guest_pid"; hb_end_process "$relay_pid"; hb_cleanup; }
trap cleanup_guest EXIT
# Both go into play once the handshake is done; the introduction runs first.
sleep 2
hb_wait_frames $HB_INTRO_FRAMES 120 || hb_fail "the host stopped drawing"
shot() { import -window "$1" "$HB_ART/$2.png"; }
shot "$host_wid" host_before
shot "$guest_wid" guest_before

# The host's player walks Boris with the arrows, the guest's Horace with W.
timeout 5 xdotool windowfocus --sync "$host_wid"
xdotool keydown Up; sleep 2; xdotool keyup Up
timeout 5 xdotool windowfocus --sync "$guest_wid"
xdotool keydown w; sleep 2; xdotool keyup w
sleep 1
shot "$host_wid" host_after
shot "$guest_wid" guest_after

# How much each half changed, as a share of its pixels.
changed() {  # before after left|right
  local geometry
  if [ "$3" = left ]; then geometry=380x340+10+20; else geometry=380x340+410+20; fi
  compare -metric AE -fuzz 10% "$HB_ART/$1.png[$geometry]" "$HB_ART/$2.png[$geometry]" null: 2>&1 | cut -d' ' -f1
}
for who in host guest; do
  for half in left right; do
    n=$(changed ${who}_before ${who}_after $half)
    echo "$who $half half: $n pixels changed"
    [ "${n%.*}" -gt 2000 ] || hb_fail "the $half half of the $who's window did not move ($n pixels)"
  done
done
grep -q 'Out of sync\|Lost the connection' "$HB_ART/host.err" "$HB_ART/guest.err" &&
  hb_fail "the match broke: $(cat "$HB_ART/host.err" "$HB_ART/guest.err")"

# The link goes silent for three seconds: both hold and say whom they wait
# for, then go on by themselves.
touch "$silence"
sleep 2.5
shot "$host_wid" host_waiting
shot "$guest_wid" guest_waiting
sleep 0.5
rm -f "$silence"
sleep 2
grep -q 'Waiting for Horace' "$HB_ART/host.err" || hb_fail "the host did not wait: $(cat "$HB_ART/host.err")"
grep -q 'Waiting for Boris' "$HB_ART/guest.err" || hb_fail "the guest did not wait: $(cat "$HB_ART/guest.err")"
grep -q 'Horace is back' "$HB_ART/host.err" || hb_fail "the host did not go on: $(cat "$HB_ART/host.err")"
grep -q 'Boris is back' "$HB_ART/guest.err" || hb_fail "the guest did not go on: $(cat "$HB_ART/guest.err")"
grep -q 'Out of sync\|Lost the connection' "$HB_ART/host.err" "$HB_ART/guest.err" &&
  hb_fail "the match broke after the silence: $(cat "$HB_ART/host.err" "$HB_ART/guest.err")"

# P in the host's window pauses both games, and P in the guest's resumes both.
timeout 5 xdotool windowfocus --sync "$host_wid"
hb_tap p
hb_wait_in_file "$HB_ART/guest.err" 'paused by Boris' || true
grep -q 'paused by Boris' "$HB_ART/host.err" || hb_fail "the host did not pause: $(cat "$HB_ART/host.err")"
grep -q 'paused by Boris' "$HB_ART/guest.err" || hb_fail "the guest did not pause: $(cat "$HB_ART/guest.err")"
sleep 0.5
shot "$host_wid" host_paused
shot "$guest_wid" guest_paused
# Held: two shots a second apart are the same picture on both sides.
sleep 1.5
shot "$host_wid" host_paused_later
shot "$guest_wid" guest_paused_later
for who in host guest; do
  # Below the line that names the player's cow: its round trip is measured
  # on, paused or not, and a new figure moves the whole centred line.
  n=$(compare -metric AE -fuzz 2% "$HB_ART/${who}_paused.png[800x330+0+30]" "$HB_ART/${who}_paused_later.png[800x330+0+30]" null: 2>&1 | cut -d' ' -f1)
  echo "$who paused: $n pixels changed in 1.5 s"
  [ "${n%.*}" -lt 200 ] || hb_fail "the $who's game moved while paused ($n pixels)"
  # The panel's plate, between PAUSED and its keys.
  plate=$(convert "$HB_ART/${who}_paused.png" -crop 1x1+250+300 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}')
  [ "$plate" = "#1F293D" ] || hb_fail "no pause panel in the $who's window (found $plate)"
done
timeout 5 xdotool windowfocus --sync "$guest_wid"
hb_tap p
hb_wait_in_file "$HB_ART/host.err" 'the game goes on' || true
grep -q 'the game goes on' "$HB_ART/host.err" || hb_fail "the host was not resumed: $(cat "$HB_ART/host.err")"
grep -q 'the game goes on' "$HB_ART/guest.err" || hb_fail "the guest was not resumed: $(cat "$HB_ART/guest.err")"
for who in host guest; do
  sed -n '/paused by/,$p' "$HB_ART/$who.err" | grep -q 'Waiting for\|Out of sync\|Lost the connection' &&
    hb_fail "the pause was taken for a broken link by the $who: $(cat "$HB_ART/$who.err")"
done

# N on one side asks the other; the new game starts on both when both pressed it.
xdotool mousemove 1000 760
timeout 5 xdotool windowfocus --sync "$host_wid"
hb_tap n
hb_wait_in_file "$HB_ART/guest.err" 'Boris asks for a new game' || true
grep -q 'Boris asks for a new game' "$HB_ART/guest.err" || hb_fail "the guest was not asked: $(cat "$HB_ART/guest.err")"
grep -q 'a new game with' "$HB_ART/host.err" && hb_fail "a new game began on one side's word"
timeout 5 xdotool windowfocus --sync "$guest_wid"
hb_tap n
hb_wait_in_file "$HB_ART/host.err" 'a new game with' || true
grep -q 'a new game with Horace' "$HB_ART/host.err" || hb_fail "no new game on the host: $(cat "$HB_ART/host.err")"
grep -q 'a new game with Boris' "$HB_ART/guest.err" || hb_fail "no new game on the guest: $(cat "$HB_ART/guest.err")"
sleep 2
shot "$host_wid" host_new_game
shot "$guest_wid" guest_new_game
grep -q 'Out of sync\|Lost the connection' "$HB_ART/host.err" "$HB_ART/guest.err" &&
  hb_fail "the new game broke: $(cat "$HB_ART/host.err" "$HB_ART/guest.err")"

# The guest quits with ESC; the host says so.
timeout 5 xdotool windowfocus --sync "$guest_wid"
# Held for a few frames: the game reads the keys once a frame. The pointer
# goes off both windows first: once the guest's window is gone the focus
# follows the pointer, and a held ESC must not reach the host.
xdotool mousemove 1000 760
start_ns=$(date +%s%N)
xdotool keydown Escape
hb_wait_in_file "$HB_ART/host.err" 'Horace left the game' 60 0.05 || true
xdotool keyup Escape
echo "the host heard of it $(( ($(date +%s%N) - start_ns) / 1000000 )) ms after ESC went down"
grep -q 'Horace left the game' "$HB_ART/host.err" || hb_fail "host after the guest quit: $(cat "$HB_ART/host.err"); guest $(kill -0 $guest_pid 2>&1 && echo still running): $(cat "$HB_ART/guest.err")"
shot "$host_wid" host_peer_left
echo PASS
