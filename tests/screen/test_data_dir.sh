#!/usr/bin/env bash
# Where the game finds its files: started from the repository root it runs on
# the build's data directory, its window names itself to the desktop, and with
# no data anywhere it says where it looked and opens no window.
. "$(dirname "$0")/lib.sh"

src=${HOOFBRAWL_SOURCE:?}
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$HB_BUILD/CMakeCache.txt")
installed="$prefix/share/hoofbrawl/data"

hb_start "$src"
hb_wait_window 60 || hb_fail "no window when started from the repository root: $(cat "$HB_ART/stderr.txt")"
cwd=$(readlink "/proc/$HB_PID/cwd")
if [ -e "$installed/_maps/Map02.map" ]; then
  [ "$cwd" = "$installed" ] || hb_fail "runs in $cwd, not the installed $installed"
else
  [ "$cwd" = "$(cd "$HB_BUILD/data" && pwd -P)" ] || hb_fail "runs in $cwd, not the build's data directory"
fi
xprop -id "$HB_WID" WM_CLASS >"$HB_ART/wm_class.txt"
grep -q 'WM_CLASS(STRING) = "hoofbrawl", "Hoofbrawl"' "$HB_ART/wm_class.txt" ||
  hb_fail "window class: $(cat "$HB_ART/wm_class.txt")"
xprop -id "$HB_WID" _NET_WM_ICON >"$HB_ART/icon.txt"
for n in 16 32 48 64 128; do
  grep -q "Icon ($n x $n)" "$HB_ART/icon.txt" || hb_fail "no $n x $n window icon"
done
hb_shot repo_root >/dev/null
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave status $HB_RC"

# A copy of the binary with no data beside it, started where there is none.
if [ -e "$installed/_maps/Map02.map" ]; then
  echo "ok (the game is installed in $prefix: the no-data case is not tried)"
  exit 0
fi
mkdir -p "$HB_WORK/bin" "$HB_WORK/empty"
cp "$HB_BUILD/hoofbrawl" "$HB_WORK/bin/hoofbrawl"
(cd "$HB_WORK/empty" && exec "$HB_WORK/bin/hoofbrawl" >"$HB_ART/stdout.txt" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "no data gave status $HB_RC"
[ "$(wc -l <"$HB_ART/stderr.txt")" = 1 ] || hb_fail "not one line: $(cat "$HB_ART/stderr.txt")"
want="Hoofbrawl: cannot find its data (_maps/Map02.map) in the current directory $HB_WORK/empty, $installed or $HB_WORK/bin/data;"
grep -qF "$want" "$HB_ART/stderr.txt" || hb_fail "message: $(cat "$HB_ART/stderr.txt")"
[ -s "$HB_ART/stdout.txt" ] && hb_fail "printed on standard output: $(cat "$HB_ART/stdout.txt")"
echo "ok"
