#!/usr/bin/env bash
# Builds the Debian package hoofbrawl_VERSION_ARCH.deb in the current
# directory: installs what is missing, builds the game for /usr with Debian's
# hardening flags, lays out the install tree as `cmake --install` does, adds
# what a Debian package carries (copyright, changelog, control file with the
# library dependencies dpkg-shlibdeps finds in the binary), packs it with
# dpkg-deb and has lintian judge it: any error fails the script.
# dpkg-deb rather than CPack's DEB generator: the package differs from the
# install tree in ways CPack has no place for (the launcher in /usr/games, the
# licences folded into one machine-readable copyright file, a Debian
# changelog, the stripped binary and the compressed manual page), and every
# step stays a plain command that can be read and run by hand.
#
# Usage: scripts/package.sh [--build-dir DIR] [--out DIR]
#   --build-dir DIR  package an already configured build directory instead of
#                    building a fresh one in build-deb (the tests do, to save a
#                    second build; the binary then keeps that build's flags)
#   --out DIR        where the .deb goes (default: the current directory)
# The maintainer named in the package is whoever builds it: DEBFULLNAME and
# DEBEMAIL when set, as Debian's other tools take them, else git's user.name
# and user.email in this tree; with neither the script stops and says so.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
out=$PWD
build=""
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build=$(cd "${2:?--build-dir needs a directory}" && pwd); shift 2 ;;
    --out) out=$(cd "${2:?--out needs a directory}" && pwd); shift 2 ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "package.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
done

"$src/scripts/deps.sh" --package

if [ -z "$build" ]; then
  build=$src/build-deb
  # Debian's flags: hardening, optimisation and reproducible paths. CMake reads
  # no CPPFLAGS, so the preprocessor's go with the compilers'.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cppflags=$(dpkg-buildflags --get CPPFLAGS)
  CFLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
    cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
      -DHOOFBRAWL_TESTS=OFF -DHOOFBRAWL_BENCH=OFF >/dev/null
fi
[ -f "$build/release.env" ] || { echo "package.sh: $build is no configured build of the game (no release.env)" >&2; exit 1; }
cmake --build "$build" -j"$(nproc)" --target hoofbrawl game_icon
# The version and its date, as CMake's project() sets them.
. "$build/release.env"
: "${HOOFBRAWL_VERSION:?release.env names no version}" "${HOOFBRAWL_RELEASE_DATE:?release.env names no date}"

# The Debian revision counts packagings of one game version; a new version of
# the game starts again at 1.
debian_revision=1
version=$HOOFBRAWL_VERSION-$debian_revision
arch=$(dpkg --print-architecture)
deb=$out/hoofbrawl_${version}_$arch.deb
name=${DEBFULLNAME:-$(git -C "$src" config user.name 2>/dev/null || true)}
email=${DEBEMAIL:-$(git -C "$src" config user.email 2>/dev/null || true)}
if [ -z "$name" ] || [ -z "$email" ]; then
  echo "package.sh: no maintainer to name in the package: set DEBFULLNAME and DEBEMAIL" \
    "(or git's user.name and user.email) to the name and address of whoever publishes it" >&2
  exit 1
fi
maintainer="$name <$email>"

work=$(mktemp -d "${TMPDIR:-/tmp}/hoofbrawl-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/root
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log"
doc=$stage/usr/share/doc/hoofbrawl

# Debian keeps the licences in the copyright file below, and nothing else in
# the package's doc directory but the changelog.
rm -f "$doc/LICENSE" "$doc/LICENSE-LiberationSans.txt"
strip --remove-section=.comment --remove-section=.note --strip-unneeded \
  "$stage/usr/libexec/hoofbrawl/hoofbrawl"
gzip -9n "$stage/usr/share/man/man6/hoofbrawl.6"
# Debian puts the commands of games in /usr/games. The launcher finds the game
# from its own place, one level under /usr, as from /usr/bin.
mkdir -p "$stage/usr/games"
mv "$stage/usr/bin/hoofbrawl" "$stage/usr/games/hoofbrawl"
rmdir "$stage/usr/bin"

font_version=$(dpkg-query -W -f='${Version}' fonts-liberation)
{
  cat <<EOF
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Hoofbrawl

Files: *
Copyright: The Hoofbrawl developers
License: MIT
Comment: The game's code, and the pictures, sounds, map and icon its build
 generates.

Files: usr/share/hoofbrawl/data/fonts/arial.ttf
Copyright: 2007 Red Hat, Inc. All rights reserved.
License: GPL-2 with font exception
Comment: Liberation Sans Regular, copied unaltered from Debian's
 fonts-liberation package (version $font_version) under the file name the
 game looks for. That package's copyright file, which this paragraph
 repeats, is installed beside the font as
 usr/share/hoofbrawl/data/fonts/LICENSE-LiberationSans.txt.
 LIBERATION is a trademark of Red Hat, Inc.

License: MIT
EOF
  # The licence's own text, after its title and copyright lines.
  sed -n '/^Permission is hereby granted/,/^SOFTWARE\.$/p' "$src/LICENSE" |
    sed 's/^$/./; s/^/ /'
  echo
  echo "License: GPL-2 with font exception"
  # Red Hat's agreement as fonts-liberation states it, then where GPL-2 is.
  sed -n '/^ This agreement governs/,/^ *regard to any conflict/p; /^ *on the International Sale/p' \
    /usr/share/doc/fonts-liberation/copyright | sed 's/[[:space:]]*$//; s/^$/ ./; s/^\([^ ]\)/ \1/'
  echo " ."
  echo " On Debian systems, the complete text of the GNU General Public License"
  echo " version 2 can be found in /usr/share/common-licenses/GPL-2."
} >"$doc/copyright"
grep -q 'International Sale' "$doc/copyright" && grep -q 'Permission is hereby granted' "$doc/copyright" ||
  { echo "package.sh: the licence texts were not found in LICENSE or fonts-liberation's copyright file" >&2; exit 1; }

cat >"$work/changelog.Debian" <<EOF
hoofbrawl ($version) unstable; urgency=medium

  * Hoofbrawl $HOOFBRAWL_VERSION packaged for Debian: the game, its data, a
    launcher, the desktop entry with its icons, the AppStream listing and the
    manual page.

 -- $maintainer  $(LC_ALL=C date -u -R -d "$HOOFBRAWL_RELEASE_DATE 12:00")
EOF
gzip -9n -c "$work/changelog.Debian" >"$doc/changelog.Debian.gz"

# Files 644, directories and programs 755, whatever the umask of the clone.
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/games/hoofbrawl" "$stage/usr/libexec/hoofbrawl/hoofbrawl"

# The library dependencies, from the binary's own needs. dpkg-shlibdeps reads
# a debian/control naming the package; this one exists only for it.
mkdir -p "$work/src/debian"
printf 'Source: hoofbrawl\n\nPackage: hoofbrawl\nArchitecture: any\n' >"$work/src/debian/control"
depends=$(cd "$work/src" && dpkg-shlibdeps -O "$stage/usr/libexec/hoofbrawl/hoofbrawl" |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package.sh: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/md5sums"
# As dpkg-gencontrol counts it: each file's size in KiB, rounded up.
installed_size=$(cd "$stage" && find usr \( -type f -o -type l \) -printf '%s\n' |
  awk '{ kb += int(($1 + 1023) / 1024) } END { print kb + 0 }')
cat >"$stage/DEBIAN/control" <<EOF
Package: hoofbrawl
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $installed_size
Depends: $depends
Section: games
Priority: optional
Description: two-player split-screen 3D arcade game with cows
 Two people share one keyboard; each steers a cow around a farm, collects hay
 bales, carries up to ten home, headbutts the rival to steal its load, breaks
 its gate and raids its home. The first to deliver sixty bales wins.
 .
 Boris plays in the right half of the window, Horace in the left. Gamepads
 can take either cow.
EOF
chmod 0644 "$stage/DEBIAN/control"

rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "Built $deb"

# lintian's verdict: errors fail; the warnings still left are named, with
# their reasons, in the README's "Debian package" section.
lintian_rc=0
lintian --info "$deb" >"$work/lintian.txt" 2>&1 || lintian_rc=$?
sed 's/^/  /' "$work/lintian.txt"
if grep -q '^E: ' "$work/lintian.txt" || [ "$lintian_rc" -gt 1 ]; then
  echo "package.sh: lintian found errors in $deb" >&2
  exit 1
fi
echo "lintian: $(grep -c '^E: ' "$work/lintian.txt" || true) errors, $(grep -c '^W: ' "$work/lintian.txt" || true) warnings"
