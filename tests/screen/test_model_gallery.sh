#!/bin/bash
# Every model draws something, keeps the matrix and attribute stacks balanced
# and raises no GL error. The gallery's pages are kept as artefacts.
source "$(dirname "$0")/lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)

bash "$HERE/run_model_gallery.sh" "$HB_BUILD" "$HB_ART" >/dev/null || hb_fail "gallery reported a problem: $(grep -h PROBLEM "$HB_ART"/page*.txt)"

# The share of a tile that is neither sky nor the checker floor.
model_share() {
  convert "$1" -crop "$2" +repage -fuzz 3% -fill black \
    -opaque "rgb(153,204,255)" -opaque "rgb(71,89,54)" -opaque "rgb(92,115,69)" \
    -fill white +opaque black -colorspace Gray -format "%[fx:mean]" info:
}

for page in 0 1 2; do
  [ -f "$HB_ART/page$page.png" ] || hb_fail "page $page was not captured"
  for i in $(seq 0 11); do
    x=$(( (i % 4) * 256 )); y=$(( (i / 4) * 256 ))
    share=$(model_share "$HB_ART/page$page.png" "254x254+$((x + 1))+$((y + 1))")
    label=$(sed -n "$((i + 1))p" "$HB_ART/page$page.txt")
    awk -v s="$share" 'BEGIN { exit !(s > 0.002) }' || hb_fail "page $page $label: nothing drawn (share $share)"
  done
done
echo "all tiles drawn"
