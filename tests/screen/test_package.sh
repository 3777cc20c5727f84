#!/usr/bin/env bash
# The Debian package: scripts/package.sh packs this build; the package's name,
# control fields, files, copyright and changelog are checked, its dependencies
# against what the binary links to, lintian's verdict against the README, and
# it is installed into a scratch root with dpkg, started from there under the
# X server, and purged without leaving a file behind.
. "$(dirname "$0")/lib.sh"
src=${HOOFBRAWL_SOURCE:?HOOFBRAWL_SOURCE must name the source tree}

# The maintainer is whoever builds; here the author of the commit under test.
export DEBFULLNAME DEBEMAIL
DEBFULLNAME=$(git -C "$src" log -1 --format=%an) DEBEMAIL=$(git -C "$src" log -1 --format=%ae)
[ -n "$DEBEMAIL" ] || hb_fail "no commit author to name as the maintainer"
out=$HB_WORK/out
mkdir -p "$out"
"$src/scripts/package.sh" --build-dir "$HB_BUILD" --out "$out" >"$HB_ART/package.txt" 2>&1 ||
  hb_fail "package.sh failed: $(tail -n 20 "$HB_ART/package.txt")"

# --- One version: the game's, the package's, the listing's, the manual's -----
version=$("$HB_BUILD/hoofbrawl" --version | sed -n 's/^hoofbrawl \([0-9][0-9.]*\)$/\1/p')
[ -n "$version" ] || hb_fail "hoofbrawl --version printed no version: $("$HB_BUILD/hoofbrawl" --version 2>&1)"
grep -qx "HOOFBRAWL_VERSION=$version" "$HB_BUILD/release.env" || hb_fail "release.env and --version differ"
arch=$(dpkg --print-architecture)
deb=$out/hoofbrawl_$version-1_$arch.deb
[ -f "$deb" ] || hb_fail "no $(basename "$deb"); made: $(ls "$out")"
[ "$(ls "$out")" = "$(basename "$deb")" ] || hb_fail "package.sh left more than the package: $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
dpkg-deb -I "$deb" >"$HB_ART/control.txt"
[ "$(field Package)" = hoofbrawl ] || hb_fail "Package: $(field Package)"
[ "$(field Version)" = "$version-1" ] || hb_fail "Version: $(field Version), the game is $version"
[ "$(field Architecture)" = "$arch" ] || hb_fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || hb_fail "Section: $(field Section)"
[ "$(field Maintainer)" = "$DEBFULLNAME <$DEBEMAIL>" ] || hb_fail "Maintainer: $(field Maintainer)"
field Description | head -n 1 | grep -q . || hb_fail "no description"

root=$HB_WORK/x
dpkg-deb -x "$deb" "$root"
(cd "$root" && find . | sort) >"$HB_ART/files.txt"

# Installed-Size is what the files take, in KiB (each rounded up).
size=$(cd "$root" && find . -type f -printf '%s\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
[ "$(field Installed-Size)" = "$size" ] || hb_fail "Installed-Size $(field Installed-Size), files take $size KiB"

# --- Files: the ones a player and a desktop need (more may come) ------------
data=usr/share/hoofbrawl/data
for f in usr/games/hoofbrawl usr/libexec/hoofbrawl/hoofbrawl \
  $data/_maps/Map02.map $data/fonts/arial.ttf $data/fonts/LICENSE-LiberationSans.txt $data/splashscreen.bmp \
  usr/share/applications/hoofbrawl.desktop usr/share/metainfo/org.hoofbrawl.Hoofbrawl.metainfo.xml \
  usr/share/man/man6/hoofbrawl.6.gz usr/share/doc/hoofbrawl/copyright usr/share/doc/hoofbrawl/changelog.Debian.gz \
  usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/hoofbrawl.png; do
  [ -f "$root/$f" ] || hb_fail "not in the package: $f"
done
[ "$(find "$root/$data/sounds" -name '*.wav' | wc -l)" -ge 10 ] || hb_fail "sounds missing"
[ "$(find "$root/$data/tiles" "$root/$data/textures" -name '*.bmp' | wc -l)" -ge 10 ] || hb_fail "pictures missing"
for f in usr/games/hoofbrawl usr/libexec/hoofbrawl/hoofbrawl; do
  [ -x "$root/$f" ] || hb_fail "$f is not executable"
done
# Nothing outside /usr, no build stamps, no uncompressed manual, no owner but root.
grep -v -e '^\.$' -e '^\./usr' "$HB_ART/files.txt" | grep -q . && hb_fail "outside /usr: $(grep -v -e '^\.$' -e '^\./usr' "$HB_ART/files.txt")"
grep -q '/\.[^/]*$' "$HB_ART/files.txt" && hb_fail "hidden files: $(grep '/\.[^/]*$' "$HB_ART/files.txt")"
[ -e "$root/usr/share/man/man6/hoofbrawl.6" ] && hb_fail "the manual page is not compressed"
dpkg-deb -c "$deb" | awk '$2 != "root/root"' | grep -q . && hb_fail "files not owned by root"
readelf -S "$root/usr/libexec/hoofbrawl/hoofbrawl" >"$HB_ART/sections.txt" || hb_fail "the binary is no ELF file"
grep -q -e '\.symtab' -e '\.debug_' "$HB_ART/sections.txt" && hb_fail "the binary is not stripped"

zcat "$root/usr/share/man/man6/hoofbrawl.6.gz" | grep -q "^\.TH HOOFBRAWL 6 [0-9-]* \"Hoofbrawl $version\"" ||
  hb_fail "manual page names another version: $(zcat "$root/usr/share/man/man6/hoofbrawl.6.gz" | grep '^\.TH')"
metainfo=$root/usr/share/metainfo/org.hoofbrawl.Hoofbrawl.metainfo.xml
grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$metainfo" || hb_fail "listing's release is not $version"
grep -qi 'example\|<url\|<screenshot' "$metainfo" && hb_fail "listing names an address: $(grep -i 'example\|<url\|<screenshot' "$metainfo")"
appstreamcli validate --no-net "$metainfo" >"$HB_ART/metainfo-validate.txt" 2>&1 ||
  hb_fail "metainfo: $(cat "$HB_ART/metainfo-validate.txt")"
desktop-file-validate "$root/usr/share/applications/hoofbrawl.desktop" >"$HB_ART/desktop-validate.txt" 2>&1 ||
  hb_fail "desktop entry: $(cat "$HB_ART/desktop-validate.txt")"

# The changelog parses, for this version, signed by the maintainer.
dpkg-parsechangelog -l "$root/usr/share/doc/hoofbrawl/changelog.Debian.gz" >"$HB_ART/changelog.txt" 2>&1 ||
  hb_fail "changelog: $(cat "$HB_ART/changelog.txt")"
grep -qx "Version: $version-1" "$HB_ART/changelog.txt" || hb_fail "changelog version: $(grep '^Version' "$HB_ART/changelog.txt")"
grep -qx "Maintainer: $DEBFULLNAME <$DEBEMAIL>" "$HB_ART/changelog.txt" || hb_fail "changelog signed by someone else"

# Copyright: machine-readable, one paragraph for the game and one for the
# font, and every licence named there spelt out in a paragraph of its own.
copyright=$root/usr/share/doc/hoofbrawl/copyright
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  hb_fail "copyright is not in the machine-readable format"
awk -v RS= '/^Files: \*\n/ && /\nLicense: MIT/ { g = 1 } /^Files: [^\n]*fonts\/arial\.ttf/ && /Red Hat/ { f = 1 }
  END { exit !(g && f) }' "$copyright" || hb_fail "copyright covers not both the game and the font"
awk -v RS= '
  /^Files:/ { if (match($0, /\nLicense: [^\n]*/)) named[substr($0, RSTART + 10, RLENGTH - 10)] = 1 }
  /^License:/ { split($0, l, "\n"); if (length($0) > length(l[1]) + 200) texts[substr(l[1], 10)] = 1 }
  END { for (n in named) if (!(n in texts)) { print "no text for licence " n; bad = 1 } exit bad }' \
  "$copyright" >"$HB_ART/copyright-check.txt" || hb_fail "$(cat "$HB_ART/copyright-check.txt")"
grep -q 'Permission is hereby granted' "$copyright" || hb_fail "MIT text missing"
grep -q 'font does not by itself cause the resulting document' "$copyright" || hb_fail "font exception missing"

# --- Depends: what dpkg-shlibdeps finds in the binary, and it covers every
# library the binary asks for --------------------------------------------------
binary=$root/usr/libexec/hoofbrawl/hoofbrawl
mkdir -p "$HB_WORK/shlibs/debian"
printf 'Source: hoofbrawl\n\nPackage: hoofbrawl\nArchitecture: any\n' >"$HB_WORK/shlibs/debian/control"
want=$(cd "$HB_WORK/shlibs" && dpkg-shlibdeps -O "$binary" | sed -n 's/^shlibs:Depends=//p')
norm() { tr ',' '\n' | sed 's/^ *//; s/ *$//' | grep . | sort; }
diff <(field Depends | norm) <(echo "$want" | norm) >"$HB_ART/depends.diff" ||
  hb_fail "Depends is not what dpkg-shlibdeps gives: $(cat "$HB_ART/depends.diff")"
depends_names=" $(field Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | tr '\n' ' ') "
needed=$(objdump -p "$binary" | awk '$1 == "NEEDED" { print $2 }')
echo "$needed" | grep -q libopenal || hb_fail "the binary links no OpenAL: $needed"
# The package that owns a library file, by any of the names merged /usr gives it.
owner() {
  local p q
  for p in "$1" "$(readlink -f "$1")"; do
    for q in "$p" "${p#/usr}" "/usr${p#/usr}"; do
      dpkg -S "$q" 2>/dev/null | head -n1 | cut -d: -f1 | grep . && return 0
    done
  done
  return 1
}
for lib in $needed; do
  path=$(ldconfig -p | awk -v l="$lib" '$1 == l { print $NF; exit }')
  [ -n "$path" ] || hb_fail "no $lib on this machine"
  pkg=$(owner "$path") || hb_fail "no package owns $path"
  case $depends_names in *" $pkg "*) ;; *) hb_fail "$lib comes from $pkg, which Depends does not name" ;; esac
done

# --- lintian: no error, and each warning left is named in the README ---------
lintian "$deb" >"$HB_ART/lintian.txt" 2>&1 || true
grep -q '^E: ' "$HB_ART/lintian.txt" && hb_fail "lintian errors: $(grep '^E: ' "$HB_ART/lintian.txt")"
grep -qv -e '^[WINP]: ' -e '^running with root' "$HB_ART/lintian.txt" &&
  hb_fail "lintian did not run: $(cat "$HB_ART/lintian.txt")"
readme_section=$(awk '/^## Debian package/ { on = 1; next } /^## / { on = 0 } on' "$src/README.md")
[ -n "$readme_section" ] || hb_fail "the README has no Debian package section"
for tag in $(awk '/^W: / { print $3 }' "$HB_ART/lintian.txt" | sort -u); do
  grep -q -- "$tag" <<<"$readme_section" || hb_fail "lintian warns $tag, which the README does not name"
done

# --- Installed with dpkg into a scratch root, started, purged -----------------
scratch=$HB_WORK/scratch
mkdir -p "$scratch/var/lib/dpkg/info" "$scratch/var/lib/dpkg/updates" "$scratch/var/log"
touch "$scratch/var/lib/dpkg/status"
# The libraries are this machine's, not the scratch root's: their dependencies
# cannot be met there, and no maintainer script runs.
dpkg --root="$scratch" --force-depends --force-not-root -i "$deb" >"$HB_ART/dpkg-install.txt" 2>&1 ||
  hb_fail "dpkg -i: $(cat "$HB_ART/dpkg-install.txt")"
dpkg --root="$scratch" -L hoofbrawl >"$HB_ART/installed.txt"
for f in /usr/games/hoofbrawl /usr/libexec/hoofbrawl/hoofbrawl /$data/_maps/Map02.map \
  /usr/share/applications/hoofbrawl.desktop /usr/share/icons/hicolor/48x48/apps/hoofbrawl.png \
  /usr/share/metainfo/org.hoofbrawl.Hoofbrawl.metainfo.xml /usr/share/man/man6/hoofbrawl.6.gz \
  /usr/share/doc/hoofbrawl/copyright /usr/share/doc/hoofbrawl/changelog.Debian.gz; do
  grep -qx "$f" "$HB_ART/installed.txt" || hb_fail "dpkg does not list $f"
  [ -f "$scratch$f" ] || hb_fail "dpkg did not put down $f"
done
[ "$(grep -c . "$HB_ART/installed.txt")" = "$(grep -c . "$HB_ART/files.txt")" ] ||
  hb_fail "dpkg lists $(grep -c . "$HB_ART/installed.txt") paths, the package holds $(grep -c . "$HB_ART/files.txt")"

# The launcher in the scratch root's /usr/games finds the game and its data.
mkdir -p "$HB_WORK/elsewhere"
(cd "$HB_WORK/elsewhere" && exec "$scratch/usr/games/hoofbrawl" >"$HB_ART/stdout.txt" 2>"$HB_ART/stderr.txt") &
HB_PID=$!
hb_wait_window 60 || hb_fail "the packaged game opened no window: $(cat "$HB_ART/stderr.txt")"
[ "$(readlink "/proc/$HB_PID/cwd")" = "$(cd "$scratch/$data" && pwd -P)" ] ||
  hb_fail "runs in $(readlink "/proc/$HB_PID/cwd")"
[ "$(readlink "/proc/$HB_PID/exe")" = "$(cd "$scratch/usr/libexec/hoofbrawl" && pwd -P)/hoofbrawl" ] ||
  hb_fail "runs $(readlink "/proc/$HB_PID/exe")"
hb_shot packaged >/dev/null
hb_tap Escape
hb_wait_exit
[ "$HB_RC" = 1 ] || hb_fail "ESC gave status $HB_RC"

dpkg --root="$scratch" --force-not-root --purge hoofbrawl >"$HB_ART/dpkg-purge.txt" 2>&1 ||
  hb_fail "dpkg --purge: $(cat "$HB_ART/dpkg-purge.txt")"
left=$(find "$scratch/usr" -mindepth 1 2>/dev/null)
[ -z "$left" ] || hb_fail "left after purge: $left"
echo "ok"
