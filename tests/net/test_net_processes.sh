#!/usr/bin/env bash
# Two game processes on this machine play headless matches over loopback:
# directly, and through a relay that delays, drops, duplicates, reorders and
# goes silent for three seconds. Both must print the same result line. Then
# a third player is turned away, and a guest killed mid-match is reported.
set -u
build=${HOOFBRAWL_BUILD:?}
here=$(cd "$(dirname "$0")" && pwd)
game="$build/hoofbrawl"
work=$(mktemp -d /tmp/hoofbrawl-net.XXXXXX)
art="$build/net-artifacts"
rm -rf "$art" && mkdir -p "$art"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts a host; sets HOST_PID and HOST_PORT. Output in $art/$1.*
start_host() {
  local name=$1; shift
  (cd "$build/data" && exec "$game" --headless --host 0 "$@" >"$art/$name.out" 2>"$art/$name.err") &
  HOST_PID=$!
  pids+=("$HOST_PID")
  HOST_PORT=""
  for _ in $(seq 100); do
    HOST_PORT=$(sed -n 's/^Hosting on port \([0-9]*\)$/\1/p' "$art/$name.out")
    [ -n "$HOST_PORT" ] && return 0
    sleep 0.1
  done
  fail "$name: no 'Hosting on port N' line: $(cat "$art/$name.err")"
}

join() {
  local name=$1 address=$2; shift 2
  (cd "$build/data" && exec timeout 90 "$game" --headless --join "$address" "$@" >"$art/$name.out" 2>"$art/$name.err")
}

# A guest left running in the background, for what is done to it meanwhile.
start_guest() {
  local name=$1; shift
  (cd "$build/data" && exec "$game" --headless --join "127.0.0.1:$HOST_PORT" "$@" >"$art/$name.out" 2>"$art/$name.err") &
  GUEST_PID=$!
  pids+=("$GUEST_PID")
}

same_result() {
  local what=$1 host=$2 guest=$3
  wait "$HOST_PID"
  local hl gl
  hl=$(grep '^winner=' "$art/$host.out")
  gl=$(grep '^winner=' "$art/$guest.out")
  [ -n "$hl" ] || fail "$what: the host printed no result: $(cat "$art/$host.err")"
  [ "$hl" = "$gl" ] || fail "$what: the results differ: host '$hl', guest '$gl'"
  echo "$what: $hl"
  grep -h 'network:' "$art/$host.err" "$art/$guest.err" | sed "s/^/  $what: /"
}

# The computer player drives both cows.
drivers=(--boris computer --horace computer --seed 5)

# 1. Straight over loopback.
start_host direct_host --steps 600 "${drivers[@]}"
join direct_guest "127.0.0.1:$HOST_PORT" "${drivers[@]}" || fail "direct: the guest failed: $(cat "$art/direct_guest.err")"
same_result direct direct_host direct_guest
grep -q 'steps=600 ' "$art/direct_guest.out" || fail "direct: the guest did not stop at the host's 600 steps"

# 2. Through a bad link, with three seconds of silence.
start_host relay_host --steps 300 "${drivers[@]}" --record "$art/relay_host.hbreplay"
coproc RELAY { exec python3 "$here/udp_relay.py" --host-port "$HOST_PORT" --delay 40 --jitter 10 \
  --loss 0.05 --duplicate 0.05 --reorder 0.1 --seed 7 --silent-from 2 --silent-for 3 --lifetime 100; }
pids+=("$RELAY_PID")
read -r relay_port <&"${RELAY[0]}"
join relay_guest "127.0.0.1:$relay_port" --steps 300 "${drivers[@]}" --record "$art/relay_guest.hbreplay" || fail "relay: the guest failed: $(cat "$art/relay_guest.err")"
same_result "relay 40+-10 ms, 5% loss, 3 s silence" relay_host relay_guest
# Each side keeps a replay of the match with both players' records; both check.
for side in host guest; do
  env -u DISPLAY "$game" --check-replay "$art/relay_$side.hbreplay" >"$art/check_$side.out" 2>&1 ||
    fail "relay: the $side's replay does not check: $(cat "$art/check_$side.out")"
  grep -q ': 300 steps, .*verified$' "$art/check_$side.out" || fail "relay: $side's check: $(cat "$art/check_$side.out")"
done
kill "$RELAY_PID" 2>/dev/null

# 3. A match under way turns a third player away; a killed guest is reported.
start_host kill_host --steps 1000000
start_guest kill_guest --steps 1000000
guest=$GUEST_PID
sleep 2
join third "127.0.0.1:$HOST_PORT" && fail "a third player was let in"
grep -q 'Refused: game full' "$art/third.err" || fail "third player: $(cat "$art/third.err")"
kill -KILL "$guest"
killed=$SECONDS
wait "$HOST_PID"
rc=$?
[ "$rc" = 1 ] || fail "the host ended with status $rc after its guest was killed"
grep -q 'Lost the connection to Horace' "$art/kill_host.err" || fail "host: $(cat "$art/kill_host.err")"
[ $((SECONDS - killed)) -le 13 ] || fail "the loss took $((SECONDS - killed)) s to report"
echo "killed guest reported after $((SECONDS - killed)) s"

# 4. A guest stopped by SIGTERM says goodbye: the host knows at once.
start_host term_host --steps 1000000
start_guest term_guest --steps 1000000
guest=$GUEST_PID
sleep 2
kill -TERM "$guest"
start_ns=$(date +%s%N)
wait "$HOST_PID"
took_ms=$(( ($(date +%s%N) - start_ns) / 1000000 ))
grep -q 'Horace left the game' "$art/term_host.err" || fail "host after SIGTERM: $(cat "$art/term_host.err")"
[ "$took_ms" -le 3000 ] || fail "the host took $took_ms ms to notice"
echo "a guest stopped by SIGTERM reported after $took_ms ms"
echo PASS
