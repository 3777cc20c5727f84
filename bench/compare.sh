#!/usr/bin/env bash
# Side by side: builds an earlier commit of the game beside this tree (a git
# worktree in a temporary directory, its own build directory, this tree's
# benchmark program copied in so both measure the same way), then runs both
# benchmarks interleaved on the same machine, each under its own Xvfb, and
# prints every figure of each with the median over the rounds.
#
#   bench/compare.sh COMMIT [BUILD_DIR] [ROUNDS] [FRAMES] [SECONDS]
#       (defaults: build, 3 rounds, 600 frames, 10 seconds paced)
#   bench/compare.sh --instructions COMMIT [BUILD_DIR]
#
# The second form counts instead of timing: each benchmark runs once under
# valgrind's callgrind (both at once, about ten minutes), and the game thread's
# instructions per playing frame are printed, whole and by pass. A count is the
# same whatever else the machine is doing, so it settles changes of a few
# percent that timings on a shared machine cannot; it says nothing of the
# rasteriser threads, nor of time lost to memory and page faults.
#
# The benchmark program is this tree's, built against the old commit's library:
# the oldest commit it builds against is 02483db, the first with the shared
# start-up (app/startup.h).
#
# The machine is shared and noisy: compare the two columns of one run, never
# figures from different runs. Fragment counts by pass need the pass hook of
# the playing frame; an older commit without it reports one count for the
# whole frame ("frame").
set -eu
count=
if [ "${1:-}" = --instructions ]; then
  count=1
  shift
  command -v valgrind >/dev/null || { echo "bench/compare.sh: --instructions needs valgrind" >&2; exit 1; }
fi
commit=${1:?usage: bench/compare.sh [--instructions] COMMIT [BUILD_DIR] [ROUNDS] [FRAMES] [SECONDS]}
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${2:-$here/build}" && pwd)
rounds=${3:-3}
frames=${4:-600}
seconds=${5:-10}
jobs=${JOBS:-2}

tmp=$(mktemp -d /tmp/hoofbrawl-compare.XXXXXX)
cleanup() {
  git -C "$here" worktree remove --force "$tmp/src" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

git -C "$here" worktree add --detach "$tmp/src" "$commit" >/dev/null
old=$(git -C "$tmp/src" rev-parse --short HEAD)
new=$(git -C "$here" rev-parse --short HEAD)
cp "$here/bench/frame_bench.cpp" "$tmp/src/bench/"
# Only the frame benchmark: the other benchmarks may need code the old commit lacks.
cat >"$tmp/src/bench/CMakeLists.txt" <<'CMAKE'
add_executable(frame_bench frame_bench.cpp)
target_link_libraries(frame_bench PRIVATE hoofbrawl_core)
add_dependencies(frame_bench game_data)
CMAKE
echo "building $old in $tmp/build ..."
cmake -S "$tmp/src" -B "$tmp/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHOOFBRAWL_TESTS=OFF >/dev/null
cmake --build "$tmp/build" -j"$jobs" --target frame_bench >/dev/null
echo "building this tree ($new$(git -C "$here" diff --quiet HEAD || echo ', with changes')) in $build ..."
cmake --build "$build" -j"$jobs" --target frame_bench >/dev/null

if [ -n "$count" ]; then
  # Few frames: under valgrind a frame takes seconds. The warm-up and the
  # per-pass frames of the benchmark are counted too, the same in both, and
  # so is compiling the renderer's shaders, which Mesa's disk cache would
  # otherwise spare whichever runs second.
  counted() {  # BUILD OUT
    (cd "$1/data" && MESA_SHADER_CACHE_DISABLE=true ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1024x768x24" \
      valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$2.%p" \
      ../bench/frame_bench 20 1 >/dev/null 2>&1)
  }
  echo "counting both under callgrind ..."
  counted "$tmp/build" "$tmp/before" &
  counted "$build" "$tmp/after"
  wait
  # Inclusive instructions of the passes, summed over their calls, from the
  # main thread's profile (callgrind's raw format: a "calls=" line, then the
  # call's inclusive cost).
  passes() {  # PROFILE
    awk -v want='^(drawPlayingFrame|drawGround|drawObjects|drawCows|drawCowMarkers|drawHud)\\(' '
      /^(fn|cfn)=/ {
        line = $0; sub(/^c?fn=/, "", line)
        id = line; sub(/\).*/, "", id); sub(/^\(/, "", id)
        name = line; sub(/^\([0-9]+\) ?/, "", name)
        if (name != "") names[id] = name
        if ($0 ~ /^cfn=/) callee = id
        next
      }
      /^calls=/ { n = $0; sub(/^calls=/, "", n); sub(/ .*/, "", n); pending = n + 0; costNext = 1; next }
      costNext { calls[callee] += pending; cost[callee] += $2; costNext = 0 }
      END {
        for (id in cost) if (names[id] ~ want) { short = names[id]; sub(/\(.*/, "", short); total[short] += cost[id]; if (short == "drawPlayingFrame") frames += calls[id] }
        for (p in total) printf "%s %.0f\n", p, frames ? total[p] / frames : 0
      }' "$(ls "$1".*-01 | head -n 1)"
  }
  passes "$tmp/before" | sort >"$tmp/before.ir"
  passes "$tmp/after" | sort >"$tmp/after.ir"
  printf '\n%-40s %14s %14s\n' "game-thread instructions per frame" "before $old" "after $new"
  join -a 1 -a 2 -e - -o 0,1.2,2.2 "$tmp/before.ir" "$tmp/after.ir" |
    awk '{ printf "%-40s %14s %14s\n", ($1 == "drawPlayingFrame" ? "whole frame (drawPlayingFrame)" : "  " $1), $2, $3 }'
  exit 0
fi

run() {  # BUILD OUT
  (cd "$1/data" && ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1024x768x24" ../bench/frame_bench "$frames" "$seconds" 2>/dev/null) |
    awk '$1 == "bench" { print $2, $3 }' >>"$2"
}
for r in $(seq "$rounds"); do
  # Alternate which goes first, so neither always meets the same load.
  if [ $((r % 2)) = 1 ]; then
    echo "round $r: before"; run "$tmp/build" "$tmp/before"
    echo "round $r: after"; run "$build" "$tmp/after"
  else
    echo "round $r: after"; run "$build" "$tmp/after"
    echo "round $r: before"; run "$tmp/build" "$tmp/before"
  fi
done

median() {  # FILE NAME
  awk -v n="$2" '$1 == n { print $2 }' "$1" | sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "-" }'
}
printf '\n%-32s %14s %14s\n' "figure (median of $rounds runs)" "before $old" "after $new"
names=$(awk '{ print $1 }' "$tmp/before" "$tmp/after" | awk '!seen[$0]++')
for n in $names; do
  printf '%-32s %14s %14s\n' "$n" "$(median "$tmp/before" "$n")" "$(median "$tmp/after" "$n")"
done
