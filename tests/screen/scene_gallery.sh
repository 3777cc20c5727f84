#!/usr/bin/env bash
# Draws the scenes worth looking at after a change to the 3D frame, with the
# scene tool, into BUILD/gallery/, and a labelled contact sheet of them.
# Needs an X server in DISPLAY (Xvfb).
#
#   tests/screen/scene_gallery.sh [BUILD_DIR]
set -eu
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
out="$build/gallery"
maps="$here/reference"
mkdir -p "$out"
export ALSOFT_DRIVERS=null


shot() {
  local name=$1
  shift
  "$build/tests/scene_shot" --data "$build/data" --out "$out/$name.ppm" "$@"
  convert "$out/$name.ppm" "$out/$name.png"
  rm "$out/$name.ppm"
}

shot 01_start --frames 3
shot 02_cows_close --map "$maps/open.map" --camera 4,-20,60 --frames 2
shot 03_cows_close_default --map "$maps/open.map" --frames 2
shot 04_jumping --map "$maps/open.map" --jump1 80 --jump2 80 --camera 5,-20,40 --frames 1
shot 05_stunned --map "$maps/open.map" --stun1 --stun2 --camera 5,-20,50 --frames 2
shot 06_grown --map "$maps/open.map" --grow1 --grow2 --frames 2
shot 07_barn_silo --map "$here/reference/farm.map" --cow1 16.5,22.5 --cow2 27.5,21.5 --frames 2
shot 08_barn_close --map "$here/reference/farm.map" --cow1 11.5,20.5 --cow2 11.5,20.5 --camera 10,-60,40 --frames 2
shot 09_silo_close --map "$here/reference/farm.map" --cow1 28.5,19.5 --cow2 28.5,19.5 --camera 9,20,35 --frames 2
shot 10_pond_hill --map "$here/reference/yard.map" --cow1 20.5,12.5 --cow2 31.5,22.5 --camera 10,-40,45 --frames 2
shot 11_fences_gates_closed --map "$here/reference/yard.map" --cow1 11.9,17.5 --cow2 24.5,19.5 --camera 6,-20,50 --frames 2
shot 12_gates_open --map "$here/reference/yard.map" --cow1 11.9,17.5 --cow2 24.5,19.5 --camera 6,-20,50 --gate1 --gate2 --frames 2
shot 13_items --map "$maps/items.map" --camera 7,-20,60 --frames 2
shot 14_beams --map "$maps/homes.map" --cow1 20.5,24.5 --cow2 16.5,24.5 --camera 16,-20,50 --frames 2
shot 15_camera_swung --map "$here/reference/yard.map" --camera 10,60,35 --frames 2
shot 16_camera_keys --map "$here/reference/yard.map" --keys J,K --frames 30
shot 17_help_f12 --keys F12 --frames 2

montage -label '%t' -pointsize 14 -geometry 400x300+4+4 -tile 4x "$out"/[0-9]*.png "$build/contact_sheet.png"
echo "$build/contact_sheet.png"
