#!/bin/bash
# Renders every page of the model gallery under the X server in DISPLAY and
# joins them into one contact sheet. Usage (from the build directory):
#   xvfb-run -a -s "-screen 0 1024x768x24" bash ../tests/screen/run_model_gallery.sh [build dir] [output dir]
# Fails when a model leaves the matrix or attribute stack unbalanced or raises
# a GL error.
set -u
BUILD=$(cd "${1:-$PWD}" && pwd)
OUT=${2:-$BUILD/model-gallery}
mkdir -p "$OUT"
pages=()
for page in 0 1 2 3; do
  (cd "$BUILD/data" && exec "$BUILD/tests/model_gallery" "$page" >"$OUT/page$page.txt" 2>&1) &
  pid=$!
  wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Model gallery$' 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.2
  done
  sleep 2
  [ -n "$wid" ] && import -window "$wid" "$OUT/page$page.png"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pages+=("$OUT/page$page.png")
done
convert "${pages[@]}" -append "$OUT/contact-sheet.png"
echo "$OUT/contact-sheet.png"
if grep -h PROBLEM "$OUT"/page*.txt; then exit 1; fi
