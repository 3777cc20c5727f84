# Draws the reference scenes listed in reference/scenes.list with the scene
# tool. Source it; needs HB_SCENE_BUILD (the build directory) and an X server
# in DISPLAY.
HB_SCENE_REF=$(cd "$(dirname "${BASH_SOURCE[0]}")/reference" && pwd)

# The scenes as "NAME OPTIONS..." lines, comments and blank lines left out.
hb_scene_lines() { grep -v '^\s*\(#\|$\)' "$HB_SCENE_REF/scenes.list"; }

# Draws scene NAME with OPTIONS into the PNG file OUT.
hb_render_scene() {  # OUT OPTIONS...
  local out=$1 size=400x300
  shift
  case " $* " in *" --size "*) size="" ;; esac
  local ppm="${out%.png}.ppm"
  # Maps named without a directory are the ones beside the list.
  (cd "$HB_SCENE_REF" && "$HB_SCENE_BUILD/tests/scene_shot" --data "$HB_SCENE_BUILD/data" \
    --out "$ppm" ${size:+--size $size} "$@") || return 1
  convert "$ppm" -define png:compression-level=9 "$out" && rm -f "$ppm"
}
