#!/usr/bin/env bash
# Repeats a new player's first run on a bare Debian 12: a minimal root made by
# debootstrap, a clone of this repository's HEAD, then the README's two commands
# run inside it as root. Not part of CI: it downloads a whole base system.
#
# With --package it takes a Debian user's path instead: scripts/package.sh run
# in a bare root builds the package; a second bare root, fresh, installs it with
# apt-get, starts the game as a player from an unrelated directory, and purges
# it; no file of the game may remain.
#
# Usage (as root, on a Debian machine with debootstrap, Xvfb and x11-utils):
#   scripts/check-bare-machine.sh [--package] [WORKDIR]
# WORKDIR (default /var/tmp/hoofbrawl-bare) keeps the downloaded base system in
# WORKDIR/base for the next run; every run starts from a fresh copy of it in
# WORKDIR/root. Logs and a screenshot of the play command's window land in
# WORKDIR/logs.
#   HOOFBRAWL_BARE_FRESH=1       download the base system again
#   HOOFBRAWL_BARE_PLAY_ONLY=1   stop after the play command
#   HOOFBRAWL_MIRROR=URL         Debian mirror (default: the one apt uses here)
#   HOOFBRAWL_PLAY_TIMEOUT=SECS  how long the play command may take to open its
#                                window, build included (default 5400)
# Only committed work is taken: the clone is of HEAD.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
package_path=""
if [ "${1:-}" = "--package" ]; then package_path=yes; shift; fi
work=${1:-/var/tmp/hoofbrawl-bare}
base=$work/base
root=$work/root
logs=$work/logs
play_timeout=${HOOFBRAWL_PLAY_TIMEOUT:-5400}

[ "$(id -u)" -eq 0 ] || { echo "check-bare-machine: run as root (debootstrap and chroot need it)" >&2; exit 2; }
for tool in debootstrap Xvfb xwininfo git; do
  command -v "$tool" >/dev/null || { echo "check-bare-machine: $tool is needed on this machine" >&2; exit 2; }
done

# The mirror apt already uses here, so the run works where only that one is reachable.
mirror=${HOOFBRAWL_MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i ~ /\/debian\/?$/) { print $i; exit } }')
fi
if [ -z "$mirror" ]; then
  mirror=$(cat /etc/apt/sources.list 2>/dev/null |
    awk '$1 == "deb" && $3 ~ /^bookworm$/ { print $2; exit }')
fi
mirror=${mirror:-http://deb.debian.org/debian}

mkdir -p "$work" "$logs"
stamp() { date -u +%H:%M:%S; }
declare -A took
phase_start=0
begin() { phase_start=$SECONDS; echo "[$(stamp)] $1"; }
finish() { took[$1]=$((SECONDS - phase_start)); echo "[$(stamp)] $1 took ${took[$1]} s"; }

mounted=()
xvfb_pid=""
play_pid=""
cleanup() {
  [ -n "$play_pid" ] && kill -- "-$play_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -lR "${mounted[$i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

if [ -n "${HOOFBRAWL_BARE_FRESH:-}" ] || [ ! -x "$base/bin/bash" ]; then
  begin "debootstrap --variant=minbase bookworm from $mirror"
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
    { tail -n 20 "$logs/debootstrap.log" >&2; exit 1; }
  finish debootstrap
fi

# A fresh copy of the base system at $1, networked as this machine is.
fresh_root() {
  local r=$1
  # A root still holding this machine's /tmp or /dev must never be deleted.
  if awk -v r="$r/" 'index($2 "/", r) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "check-bare-machine: something is still mounted under $r; unmount it first" >&2
    exit 1
  fi
  rm -rf "$r"
  cp -a "$base" "$r"
  # The network as this machine sees it; daemons that packages bring must not
  # start in this machine's namespaces.
  cp -L /etc/resolv.conf "$r/etc/resolv.conf"
  printf '#!/bin/sh\nexit 101\n' >"$r/usr/sbin/policy-rc.d"
  chmod +x "$r/usr/sbin/policy-rc.d"
}

# /tmp is shared whole, not just its X socket directory, so that xvfb-run inside
# sees the lock files of the displays already taken on this machine.
mount_into() {
  local dir
  for dir in proc sys dev tmp; do
    mount --rbind "/$dir" "$1/$dir"
    mount --make-rslave "$1/$dir"
    mounted+=("$1/$dir")
  done
}

begin "fresh root and a clone of HEAD"
fresh_root "$root"
head=$(git -C "$repo" rev-parse HEAD)
git clone --quiet --no-hardlinks "$(git -C "$repo" rev-parse --path-format=absolute --git-common-dir)" \
  "$root/root/hoofbrawl"
git -C "$root/root/hoofbrawl" checkout --quiet -B bare-check "$head"
finish clone
echo "  commit $head"

mount_into "$root"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

start_xvfb() {
  exec 3>"$logs/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$logs/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 50); do [ -s "$logs/xvfb.display" ] && break; sleep 0.1; done
  display=":$(cat "$logs/xvfb.display")"
}

# --- The package path ---------------------------------------------------------
if [ -n "$package_path" ]; then
  # The package names whoever builds it; here the author of the commit checked.
  maint_name=$(git -C "$repo" log -1 --format=%an "$head")
  maint_email=$(git -C "$repo" log -1 --format=%ae "$head")
  begin "package command: ./scripts/package.sh"
  in_root DEBFULLNAME="$maint_name" DEBEMAIL="$maint_email" \
    bash -c 'cd /root/hoofbrawl && exec ./scripts/package.sh' >"$logs/package.log" 2>&1 ||
    { tail -n 40 "$logs/package.log" >&2; exit 1; }
  finish package
  grep -m1 '^Installing:' "$logs/package.log" | sed 's/^/  package installed: /' || true
  debs=("$root"/root/hoofbrawl/hoofbrawl_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "check-bare-machine: expected one package, found: ${debs[*]}" >&2; exit 1; }
  deb=$(basename "${debs[0]}")
  echo "  built $deb"
  grep -E '^  [EW]: |^lintian:' "$logs/package.log" | sed 's/^ */  /' || true

  # A second bare root, as a player's machine: the package and nothing else.
  player_root=$work/player
  begin "apt-get install ./$deb on a fresh bare root"
  fresh_root "$player_root"
  cp "${debs[0]}" "$player_root/root/$deb"
  mount_into "$player_root"
  in_player() {
    chroot "$player_root" /usr/bin/env -i HOME=/root TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
  }
  in_player bash -c "cd /root && apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y ./$deb" \
    >"$logs/package-install.log" 2>&1 || { tail -n 30 "$logs/package-install.log" >&2; exit 1; }
  finish install
  grep -E 'newly installed' "$logs/package-install.log" | sed 's/^/  /'
  in_player dpkg -L hoofbrawl >"$logs/package-files.txt"
  rm "$player_root/root/$deb"

  problems=()
  # Where a desktop looks: the entry in applications, the icon in hicolor.
  entry=$player_root/usr/share/applications/hoofbrawl.desktop
  if [ -f "$entry" ] && grep -qx 'Icon=hoofbrawl' "$entry" && grep -qx 'Exec=hoofbrawl' "$entry"; then
    for n in 16 32 48 64 128 256; do
      [ -f "$player_root/usr/share/icons/hicolor/${n}x$n/apps/hoofbrawl.png" ] || problems+=("no $n x $n icon")
    done
  else
    problems+=("no desktop entry naming Exec=hoofbrawl and Icon=hoofbrawl in /usr/share/applications")
  fi

  # A player, not root, starts it from a directory of their own, with the
  # PATH a login gives them, on the null sound driver: this machine has no
  # sound card.
  in_player useradd --create-home --shell /bin/sh player
  in_player install -d -o player -g player /home/player/elsewhere
  found=$(chroot --userspec=player:player "$player_root" /usr/bin/env -i HOME=/home/player /bin/sh -lc 'command -v hoofbrawl' || true)
  echo "  a player's shell finds hoofbrawl at: ${found:-nothing}"
  start_xvfb
  begin "hoofbrawl as a player on $display"
  setsid chroot --userspec=player:player "$player_root" /usr/bin/env -i HOME=/home/player TERM=dumb \
    DISPLAY="$display" ALSOFT_DRIVERS=null /bin/sh -lc 'cd /home/player/elsewhere && exec hoofbrawl' \
    >"$logs/package-play.log" 2>&1 &
  play_pid=$!
  window=""
  deadline=$((SECONDS + 60))
  while [ $SECONDS -lt $deadline ]; do
    window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/"Hoofbrawl":/ { print $1; exit }')
    [ -n "$window" ] && break
    kill -0 "$play_pid" 2>/dev/null || break
    sleep 1
  done
  finish start
  if [ -n "$window" ] && sleep 3 && kill -0 "$play_pid" 2>/dev/null; then
    echo "  window opened ($window) and the game kept running"
    command -v import >/dev/null &&
      DISPLAY=$display import -window root "$logs/package-window.png" 2>/dev/null || true
    cwd=$(readlink "/proc/$play_pid/cwd" || true)
    [ "$cwd" = "$player_root/usr/share/hoofbrawl/data" ] || problems+=("the game runs in $cwd")
  else
    problems+=("the installed game opened no window or stopped: $(tail -n 5 "$logs/package-play.log")")
  fi
  kill -- "-$play_pid" 2>/dev/null || true
  wait "$play_pid" 2>/dev/null || true
  play_pid=""
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""

  begin "apt-get remove --purge hoofbrawl"
  in_player bash -c 'DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y hoofbrawl' \
    >"$logs/package-remove.log" 2>&1 || { tail -n 30 "$logs/package-remove.log" >&2; exit 1; }
  finish remove
  in_player dpkg-query -W -f='${db:Status-Abbrev}' hoofbrawl 2>/dev/null | grep -q '^ii' &&
    problems+=("dpkg still has hoofbrawl installed")
  while read -r f; do
    [ -e "$player_root$f" ] || continue
    case $f in */hoofbrawl*|*/hoofbrawl.*) problems+=("left after purge: $f") ;; esac
  done <"$logs/package-files.txt"
  # Anything else named after the game, outside the player's home (a player's
  # own files stay theirs, as Debian has it) and this machine's mounts.
  left=$(find "$player_root" \( -path "$player_root/proc" -o -path "$player_root/sys" -o -path "$player_root/dev" \
    -o -path "$player_root/tmp" -o -path "$player_root/home" \) -prune -o -iname '*hoofbrawl*' -print)
  [ -z "$left" ] || problems+=("left after purge: $left")
  echo "  in the player's home after play: $(cd "$player_root/home/player" && find . -mindepth 1 -maxdepth 2 | tr '\n' ' ')"

  echo "Summary (seconds):"
  for k in debootstrap clone package install start remove; do
    [ -n "${took[$k]:-}" ] && echo "  $k ${took[$k]}"
  done
  echo "Logs: $logs"
  if [ ${#problems[@]} -gt 0 ]; then
    printf '  PROBLEM: %s\n' "${problems[@]}" >&2
    exit 1
  fi
  echo "Package path: built, installed, started, purged; nothing left"
  exit 0
fi

# --- The play command: builds, then must open the game's window --------------
start_xvfb

begin "play command on $display: ./scripts/play.sh"
setsid chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb DISPLAY="$display" ALSOFT_DRIVERS=null \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /root/hoofbrawl && exec ./scripts/play.sh' >"$logs/play.log" 2>&1 &
play_pid=$!
window=""
deadline=$((SECONDS + play_timeout))
while [ $SECONDS -lt $deadline ]; do
  window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/"Hoofbrawl":/ { print $1; exit }')
  [ -n "$window" ] && break
  kill -0 "$play_pid" 2>/dev/null || break
  sleep 1
done
finish play
play_ok=no
if [ -n "$window" ]; then
  sleep 3
  if kill -0 "$play_pid" 2>/dev/null; then
    play_ok=yes
    command -v import >/dev/null &&
      DISPLAY=$display import -window root "$logs/play-window.png" 2>/dev/null || true
  fi
fi
kill -- "-$play_pid" 2>/dev/null || true
wait "$play_pid" 2>/dev/null || true
play_pid=""
kill "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
echo "  window $([ $play_ok = yes ] && echo "opened ($window) and the game kept running" || echo "NOT seen")"
grep -m1 '^Installing:' "$logs/play.log" | sed 's/^/  play installed: /' || true
[ $play_ok = yes ] || { tail -n 30 "$logs/play.log" >&2; exit 1; }

# --- The test command: installs the rest, builds, runs every test -------------
test_rc=0
if [ -z "${HOOFBRAWL_BARE_PLAY_ONLY:-}" ]; then
  begin "test command: ./scripts/test.sh"
  in_root ALSOFT_DRIVERS=null bash -c 'cd /root/hoofbrawl && exec ./scripts/test.sh' \
    >"$logs/test.log" 2>&1 || test_rc=$?
  finish test
  grep -m1 '^Installing:' "$logs/test.log" | sed 's/^/  test installed: /' || true
  grep -E 'tests passed|tests failed' "$logs/test.log" | sed 's/^/  /' || true
  echo "  test command exit status $test_rc"
  [ $test_rc -eq 0 ] || tail -n 40 "$logs/test.log" >&2
fi

echo "Summary (seconds):"
for k in debootstrap clone play test; do
  [ -n "${took[$k]:-}" ] && echo "  $k ${took[$k]}"
done
echo "Logs: $logs"
exit $test_rc
