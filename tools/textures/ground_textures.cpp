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
    // Every cell shows this same picture, so anything that stands out at the
    // size of a cell (a dark blotch, a bright clod) lines up with its copies
    // into a lattice over a wide yard. The tone varies only finely here, and
    // the pebbles are small and many.
    Picture p(kTile, kTile);
    const Colour dark = rgb(96, 66, 40), light = rgb(152, 110, 68);
    paint(p, [&](float u, float v) {
        // Two lattices of different periods, so that neither grid shows.
        float n = 0.55f * fbm(u, v, 7, 4, 21) + 0.45f * fbm(u + 0.37f, v + 0.61f, 11, 3, 24);
        Cell c = cellular(u, v, 22, 22);
        float clods = smoothstep(0.0f, 0.25f, c.f2 - c.f1);
        float grit = valueNoise(u, v, 64, 23);
        Colour base = mix(dark, light, clamp01(0.5f + 1.6f * (n - 0.5f)));
        return scale(base, 0.84f + 0.16f * clods + 0.12f * (grit - 0.5f));
    });
    // Small pebbles with a shadow below each, evenly spread.
    Random r(202);
    const int grid = 10;
    for (int gy = 0; gy < grid; ++gy)
        for (int gx = 0; gx < grid; ++gx) {
            float x = (gx + r.uniform()) * kTile / grid, y = (gy + r.uniform()) * kTile / grid;
            float rad = r.range(0.7f, 1.8f);
            Colour c = mix(rgb(120, 105, 90), rgb(180, 165, 142), r.uniform());
            p.fillEllipse(x + 0.5f, y + 0.7f, rad * 1.2f, rad, rgb(60, 40, 24), 0.4f, true);
            p.fillEllipse(x, y, rad * 1.2f, rad, c, 0.9f, true);
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
    // The border mountains: a weathered rock face. Ridged noise gives a height
    // field of ribs and gullies, lit from the upper left by its slope, over
    // a few bands of strata. Nothing in it reads as separate stones, so it
    // still looks like rock when a slope stretches it six times over.
    Picture p(kTile, kTile);
    auto height = [](float u, float v) {
        // Warped, so that the noise's square lattice does not show.
        float wu = u + 0.12f * (fbm(u, v, 3, 3, 48) - 0.5f), wv = v + 0.12f * (fbm(u, v, 3, 3, 49) - 0.5f);
        u = wu + 0.04f * (valueNoise(wu, wv, 9, 50) - 0.5f);
        v = wv + 0.04f * (valueNoise(wu, wv, 9, 51) - 0.5f);
        float ridged = 0, amp = 0.5f;
        int period = 4;
        for (int o = 0; o < 5; ++o, period *= 2, amp *= 0.5f) {
            float n = valueNoise(u, v, period, 41 + o);
            ridged += amp * (1.0f - std::fabs(2.0f * n - 1.0f));
        }
        return ridged + 0.3f * fbm(u, v, 3, 3, 47);
    };
    const float e = 1.0f / kTile;
    paint(p, [&](float u, float v) {
        float h = height(u, v);
        float dx = height(u + e, v) - height(u - e, v), dy = height(u, v + e) - height(u, v - e);
        float light = clamp01(0.62f - 5.0f * (dx + dy));
        float strata = 0.5f + 0.5f * std::sin(kTau * (3 * v + 0.35f * fbm(u, v, 4, 3, 45)));
        Colour stone = mix(rgb(108, 100, 92), rgb(158, 148, 132), clamp01(0.3f + 0.5f * strata + 0.4f * (h - 0.6f)));
        stone = mix(stone, rgb(128, 112, 90), 0.3f * fbm(u, v, 5, 3, 44));
        float crevice = smoothstep(0.45f, 0.2f, h);
        return scale(stone, (0.55f + 0.75f * light) * (1.0f - 0.45f * crevice));
    });
    return p;
}

}  // namespace pic
