#!/usr/bin/env bash
# Every model, the ground with its skirts, the beams, the HUD, the help panels,
# the splash and the title, drawn by the real frame code from fixed scenes and
# compared with the pictures in reference/scenes/: a change to how anything is
# drawn shows up here. The pictures come from update_reference_scenes.sh.
#
# Tolerance: the scene tool reads the frame back from the renderer, so the same
# build draws the same pixels every run. A different way of feeding the same
# geometry to Mesa may round a few pixels differently; a drawing change moves
# whole faces. A scene passes when no more than 0.1% of its pixels differ by
# more than 1% (a channel off by 3/255 or more), and every differing pixel is
# reported.
. "$(dirname "$0")/lib.sh"
HB_SCENE_BUILD=$HB_BUILD
. "$(dirname "$0")/scenes_lib.sh"

failed=()
while read -r name options; do
  ref="$HB_SCENE_REF/scenes/$name.png"
  now="$HB_ART/$name.png"
  # shellcheck disable=SC2086
  hb_render_scene "$now" $options || { failed+=("$name (not drawn)"); continue; }
  [ -f "$ref" ] || { failed+=("$name (no reference)"); continue; }
  [ "$(identify -format %wx%h "$now")" = "$(identify -format %wx%h "$ref")" ] ||
    { failed+=("$name (size)"); continue; }
  exact=$(compare -metric AE "$now" "$ref" null: 2>&1)
  loose=$(compare -metric AE -fuzz 1% "$now" "$ref" "$HB_ART/$name.diff.png" 2>&1)
  pixels=$(identify -format "%[fx:w*h]" "$ref")
  allowed=$((pixels / 1000))
  echo "$name: $exact pixels differ, $loose by more than 1% (allowed $allowed)"
  [ "${loose%%.*}" -le "$allowed" ] 2>/dev/null || failed+=("$name ($loose pixels)")
done < <(hb_scene_lines)

[ ${#failed[@]} -eq 0 ] || hb_fail "scenes differ from their references: ${failed[*]} (pictures in $HB_ART)"
echo "ok"
