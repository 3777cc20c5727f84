#!/usr/bin/env bash
# Whole matches without a screen: no display is opened (DISPLAY unset), one
# result line on standard output, the same line for the same seed, the map
# reader's refusal for a bad --map, and the usage with status 2 for bad options.
. "$(dirname "$0")/lib.sh"
src=${HOOFBRAWL_SOURCE:?}
game="$HB_BUILD/hoofbrawl"

run() { env -u DISPLAY ALSOFT_DRIVERS=null "$game" --headless "$@"; }

line=$(cd "$HB_WORK" && run --boris computer:hard --horace idle --seed 5) || hb_fail "headless run failed"
echo "$line" | grep -Eq '^winner=boris steps=[0-9]+ boris=[0-9]+ horace=0 seed=5 digest=[0-9a-f]{16}$' ||
  hb_fail "unexpected result line: $line"
again=$(cd / && run --boris computer:hard --horace idle --seed 5)
[ "$line" = "$again" ] || hb_fail "the same seed gave '$again' after '$line'"

short=$(run --map "$src/tests/data/maps/arena.map" --boris computer --horace computer:easy --steps 50)
echo "$short" | grep -Eq '^winner=none steps=50 ' || hb_fail "--steps 50 gave: $short"
[ "$(echo "$short" | wc -l)" -eq 1 ] || hb_fail "more than one line on standard output"

# Keys without a window stand idle.
idle=$(run --map "$src/tests/data/maps/arena.map" --steps 30)
echo "$idle" | grep -Eq '^winner=none steps=30 boris=0 horace=0 ' || hb_fail "keys in headless: $idle"

# A recorded headless match checks, and its result is the match's.
rec=$(run --boris computer:hard --horace computer:easy --seed 9 --record "$HB_WORK/match.hbr") || hb_fail "--record failed"
checked=$(env -u DISPLAY "$game" --check-replay "$HB_WORK/match.hbr") || hb_fail "the recorded match did not verify: $checked"
steps=$(echo "$rec" | sed -E 's/.* steps=([0-9]+) .*/\1/')
echo "$checked" | grep -Eq ": $steps steps, Boris [0-9]+ - Horace [0-9]+, verified$" || hb_fail "check says: $checked (match: $rec)"
set +e
run --steps 5 --record "$HB_WORK/no/such/dir/x.hbr" >"$HB_WORK/out" 2>"$HB_WORK/err"; rc=$?
[ $rc -eq 1 ] || hb_fail "an unwritable --record exited with $rc"
grep -q "x.hbr" "$HB_WORK/err" || hb_fail "the refusal does not name the file: $(cat "$HB_WORK/err")"
set -e

printf '. . \n' > "$HB_WORK/nocows.map"
set +e
run --map "$HB_WORK/nocows.map" >"$HB_WORK/out" 2>"$HB_WORK/err"; rc=$?
[ $rc -eq 1 ] || hb_fail "a map without cows exited with $rc"
grep -q "nocows.map" "$HB_WORK/err" || hb_fail "the refusal does not name the map: $(cat "$HB_WORK/err")"
[ ! -s "$HB_WORK/out" ] || hb_fail "a refused map printed a result"

run --boris robot >"$HB_WORK/out" 2>"$HB_WORK/err"; rc=$?
[ $rc -eq 2 ] || hb_fail "a bad driver exited with $rc"
grep -q -- "--headless" "$HB_WORK/err" || hb_fail "no usage on standard error for a bad driver"
run --steps lots >"$HB_WORK/out" 2>"$HB_WORK/err"; rc=$?
[ $rc -eq 2 ] || hb_fail "a bad --steps exited with $rc"
echo PASS
