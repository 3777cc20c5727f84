// The four ground tiles. Every one tiles: the noise wraps at the edges and
// strokes near an edge continue on the opposite side.
#include <cmath>

#include "textures.h"

namespace pic {

namespace {

constexpr int kTile = 128;

}  // namespace

Picture grassTile() {
    Picture p(kTile, kTile);
    const Colour dark = rgb(40, 96, 30), light = rgb(104, 162, 56);
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 4, 5, 11);
        float patches = fbm(u, v, 2, 3, 12);
        return mix(dark, light, clamp01(0.2f + 0.9f * n * 0.8f + 0.3f * (patches - 0.5f)));
    });
    // Blades: short, mostly upright strokes in many greens.
    Random r(101);
    for (int i = 0; i < 2600; ++i) {
        float x = r.range(0, kTile), y = r.range(0, kTile);
        float len = r.range(3, 8), angle = r.range(-0.5f, 0.5f);
        Colour c = mix(rgb(30, 80, 22), rgb(150, 196, 78), r.uniform());
        p.line(x, y, x + len * std::sin(angle), y - len * std::cos(angle), 1.0f, c, 0.55f, true);
    }
    // A few clover flowers.
    for (int i = 0; i < 6; ++i) {
        float x = r.range(0, kTile), y = r.range(0, kTile);
        p.fillCircle(x, y, 1.4f, rgb(245, 240, 215), 0.9f, true);
    }
    return p;
}

Picture dirtTile() {
    Picture p(kTile, kTile);
    const Colour dark = rgb(88, 60, 36), light = rgb(156, 114, 72);
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 4, 6, 21);
        Cell c = cellular(u, v, 10, 22);
        float clods = smoothstep(0.0f, 0.3f, c.f2 - c.f1) * (0.6f + 0.4f * fbm(u, v, 8, 2, 23));
        Colour base = mix(dark, light, clamp01(n * 1.2f - 0.1f));
        return scale(base, 0.86f + 0.14f * clods);
    });
    // Pebbles with a shadow below each.
    Random r(202);
    for (int i = 0; i < 70; ++i) {
        float x = r.range(0, kTile), y = r.range(0, kTile), rad = r.range(0.8f, 2.6f);
        Colour c = mix(rgb(120, 105, 90), rgb(190, 175, 150), r.uniform());
        p.fillEllipse(x + 0.6f, y + 0.9f, rad * 1.2f, rad, rgb(50, 34, 20), 0.5f, true);
        p.fillEllipse(x, y, rad * 1.2f, rad, c, 1.0f, true);
        p.fillCircle(x - rad * 0.3f, y - rad * 0.3f, rad * 0.35f, rgb(225, 215, 195), 0.6f, true);
    }
    return p;
}

Picture waterTile() {
    Picture p(kTile, kTile);
    const Colour deep = rgb(26, 70, 138), shallow = rgb(58, 128, 190), glint = rgb(200, 232, 250);
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 3, 4, 31);
        float warp = fbm(u, v, 2, 3, 32);
        // Ripples: bands across the tile, bent by the noise; whole periods, so it tiles.
        float w1 = std::sin(kTau * (5 * v + 1 * u + 1.5f * warp));
        float w2 = std::sin(kTau * (3 * u - 4 * v + 1.2f * n));
        float ripple = 0.5f + 0.25f * w1 + 0.25f * w2;
        Colour c = mix(deep, shallow, clamp01(0.25f + 0.7f * n * ripple + 0.2f * ripple));
        float crest = smoothstep(0.82f, 0.97f, ripple) * (0.5f + n);
        return mix(c, glint, clamp01(crest * 0.8f));
    });
    return p;
}

Picture rockyGroundTile() {
    Picture p(kTile, kTile);
    paint(p, [&](float u, float v) {
        Cell c = cellular(u, v, 6, 41);
        Cell fine = cellular(u, v, 16, 42);
        float grain = fbm(u, v, 8, 4, 43);
        float tint = (hash32(c.id * 7919u + 5) & 255) / 255.0f;
        Colour stone = mix(rgb(110, 104, 96), rgb(168, 158, 142), tint);
        stone = mix(stone, rgb(140, 120, 96), 0.25f * fbm(u, v, 3, 3, 44));
        float crack = smoothstep(0.0f, 0.12f, c.f2 - c.f1);
        float fineCrack = smoothstep(0.0f, 0.06f, fine.f2 - fine.f1);
        // Lit from the upper left: stones are lighter towards their top.
        float bulge = 1.0f - 0.35f * c.f1;
        float k = (0.6f + 0.4f * grain) * (0.45f + 0.55f * crack) * (0.85f + 0.15f * fineCrack) * (0.8f + 0.3f * bulge);
        return scale(stone, k);
    });
    return p;
}

}  // namespace pic
