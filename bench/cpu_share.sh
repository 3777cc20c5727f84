#!/usr/bin/env bash
# The game's share of one processor over 20 seconds of play: the real game
# under its own Xvfb, both players holding their forward keys and turning in
# bursts, read from /proc/<pid>/stat (utime + stime).
#
#   bench/cpu_share.sh [BUILD_DIR] [SECONDS]     (defaults: build, 20)
set -u
build=$(cd "${1:-build}" && pwd)
seconds=${2:-20}
display=:$((90 + RANDOM % 100))

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game=""
cleanup() {
  for k in Up w Left d; do DISPLAY=$display xdotool keyup "$k" 2>/dev/null; done
  [ -n "$game" ] && kill "$game" 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display ALSOFT_DRIVERS=null
sleep 1

(cd "$build/data" && exec "$build/hoofbrawl" >/dev/null 2>&1) &
game=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Hoofbrawl$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
for _ in 1 2; do xdotool keydown space; sleep 0.3; xdotool keyup space; sleep 0.3; done
sleep 1

ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
xdotool keydown Up keydown w
t0=$(ticks)
start=$(date +%s.%N)
end=$(awk -v s="$start" -v n="$seconds" 'BEGIN { printf "%.3f", s + n }')
i=0
while awk -v e="$end" -v now="$(date +%s.%N)" 'BEGIN { exit !(now < e) }'; do
  # Turn in bursts so the cows roam rather than press against a fence.
  case $((i % 4)) in
    0) xdotool keydown Left ;;
    1) xdotool keyup Left keydown d ;;
    2) xdotool keyup d ;;
  esac
  i=$((i + 1))
  sleep 0.7
done
t1=$(ticks)
stop=$(date +%s.%N)
awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$start" -v e="$stop" \
  'BEGIN { printf "game CPU: %.2f s over %.2f s of play = %.1f%% of one core\n", (b - a) / hz, e - s, 100 * (b - a) / hz / (e - s) }'
