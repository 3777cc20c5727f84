#!/usr/bin/env bash
# The installed game: cmake --install into a scratch root, every file a desktop
# and a player expect, the desktop entry and the store listing validated, and
# the installed launcher starting the game from an unrelated directory.
. "$(dirname "$0")/lib.sh"

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$HB_BUILD/CMakeCache.txt")
dest="$HB_WORK/dest"
DESTDIR="$dest" cmake --install "$HB_BUILD" >"$HB_ART/install.txt" 2>&1 ||
  hb_fail "install failed: $(tail -n 5 "$HB_ART/install.txt")"
root="$dest$prefix"
(cd "$dest" && find . | sort) >"$HB_ART/tree.txt"

need() { [ -e "$root/$1" ] || hb_fail "not installed: $1"; }
[ -x "$root/bin/hoofbrawl" ] || hb_fail "no launcher"
[ -x "$root/libexec/hoofbrawl/hoofbrawl" ] || hb_fail "no game binary"
data=share/hoofbrawl/data
for f in _maps/Map02.map fonts/arial.ttf fonts/LICENSE-LiberationSans.txt splashscreen.bmp \
  share/applications/hoofbrawl.desktop share/metainfo/org.hoofbrawl.Hoofbrawl.metainfo.xml \
  share/man/man6/hoofbrawl.6 share/doc/hoofbrawl/LICENSE share/doc/hoofbrawl/LICENSE-LiberationSans.txt; do
  case $f in share/*) need "$f" ;; *) need "$data/$f" ;; esac
done
[ "$(find "$root/$data/sounds" -name '*.wav' | wc -l)" -ge 10 ] || hb_fail "sounds missing"
[ "$(find "$root/$data/tiles" "$root/$data/textures" -name '*.bmp' | wc -l)" -ge 10 ] || hb_fail "pictures missing"
find "$root" -name '.*' | grep -q . && hb_fail "build stamps installed: $(find "$root" -name '.*')"
for n in 16 32 48 64 128 256; do
  icon="$root/share/icons/hicolor/${n}x$n/apps/hoofbrawl.png"
  [ -f "$icon" ] || hb_fail "no $n x $n icon"
  got=$(identify -format '%w %h %[channels]' "$icon" 2>&1)
  [ "$got" = "$n $n srgba" ] || hb_fail "$n x $n icon is '$got'"
done
grep -q '^MIT License' "$root/share/doc/hoofbrawl/LICENSE" || hb_fail "licence text"
head -n 3 "$root/share/man/man6/hoofbrawl.6" | grep -q '^\.TH HOOFBRAWL 6' || hb_fail "man page header"

desktop="$root/share/applications/hoofbrawl.desktop"
desktop-file-validate "$desktop" >"$HB_ART/desktop-validate.txt" 2>&1 ||
  hb_fail "desktop entry: $(cat "$HB_ART/desktop-validate.txt")"
grep -qx 'Icon=hoofbrawl' "$desktop" || hb_fail "desktop entry names no installed icon"
grep -qx 'Exec=hoofbrawl' "$desktop" || hb_fail "desktop entry runs something else"
grep -qx 'StartupWMClass=Hoofbrawl' "$desktop" || hb_fail "desktop entry cannot match the window"
appstreamcli validate --no-net "$root/share/metainfo/org.hoofbrawl.Hoofbrawl.metainfo.xml" \
  >"$HB_ART/metainfo-validate.txt" 2>&1 || hb_fail "metainfo: $(cat "$HB_ART/metainfo-validate.txt")"

# The launcher from somewhere else, as a desktop would start it.
mkdir -p "$HB_WORK/elsewhere"
(cd "$HB_WORK/elsewhere" && exec "$root/bin/hoofbrawl" >"$HB_ART/stdout.txt" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
hb_wait_window 60 || hb_fail "the installed game opened no window: $(cat "$HB_ART/stderr.txt")"
[ "$(readlink "/proc/$HB_PID/cwd")" = "$(cd "$root/$data" && pwd -P)" ] ||
  hb_fail "runs in $(readlink "/proc/$HB_PID/cwd")"
xprop -id "$HB_WID" WM_CLASS | grep -q '"Hoofbrawl"$' || hb_fail "window class"
hb_shot installed >/dev/null
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave status $HB_RC"
echo "ok"
