#!/usr/bin/env bash
# Writes the reference pictures of the scenes in reference/scenes.list from a
# build, and of the two fixed scenes the frame reference test plays:
#
#   tests/screen/update_reference_scenes.sh [BUILD_DIR]     (default: build)
#
# Starts its own Xvfb when DISPLAY is not set.
#
# Only for a deliberate change to the pictures (new textures, a model fixed,
# a new scene): look at every picture it writes before committing them. A
# change meant to draw the same pictures faster must pass the reference tests
# against the pictures as they are, never by rewriting them.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$build"
fi
export ALSOFT_DRIVERS=null
HB_SCENE_BUILD=$build
. "$here/scenes_lib.sh"
mkdir -p "$HB_SCENE_REF/scenes"
while read -r name options; do
  # shellcheck disable=SC2086
  hb_render_scene "$HB_SCENE_REF/scenes/$name.png" $options
  echo "wrote $HB_SCENE_REF/scenes/$name.png"
done < <(hb_scene_lines)
HOOFBRAWL_BUILD=$build HOOFBRAWL_SOURCE=$(cd "$here/../.." && pwd) HB_UPDATE_REFERENCE=1 \
  bash "$here/test_frame_reference.sh"
