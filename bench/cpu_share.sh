#!/usr/bin/env bash
# The game's share of one processor over 20 seconds of play: the real game
# under its own Xvfb, both cows walking (out of their yards on the shipped
# map, then round in boxes), read from /proc/<pid>/stat (utime + stime, all
# threads).
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
  for k in Up Down Left Right w a s d; do DISPLAY=$display xdotool keyup "$k" 2>/dev/null; done
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
# Out through the gates: cow 1 west, cow 2 east.
xdotool keydown Left keydown d
t0=$(ticks)
start=$(date +%s.%N)
end=$(awk -v s="$start" -v n="$seconds" 'BEGIN { printf "%.3f", s + n }')
sleep 6
xdotool keyup Left keyup d
box1=(Up Left Down Right)
box2=(w d s a)
i=0
while awk -v e="$end" -v now="$(date +%s.%N)" 'BEGIN { exit !(now < e) }'; do
  xdotool keydown "${box1[$((i % 4))]}" keydown "${box2[$((i % 4))]}"
  sleep 2.5
  xdotool keyup "${box1[$((i % 4))]}" keyup "${box2[$((i % 4))]}"
  i=$((i + 1))
done
t1=$(ticks)
stop=$(date +%s.%N)
awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$start" -v e="$stop" \
  'BEGIN { printf "game CPU: %.2f s over %.2f s of play = %.1f%% of one core\n", (b - a) / hz, e - s, 100 * (b - a) / hz / (e - s) }'
