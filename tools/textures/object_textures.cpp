// Scenery, item, building and cow textures. In these pictures y grows
// downwards; the BMP writer turns them so that the top row of the picture is
// texture coordinate t = 1.
#include <algorithm>
#include <cmath>

#include "textures.h"

namespace pic {

namespace {

constexpr int kSize = 128;

}  // namespace

// The tree card is a triangle with texture coordinates (0, 0), (1, 0) and
// (0.5, 1): its apex is the top middle of the picture, its base the bottom
// edge. A fir in tiers fills that triangle; the corners outside it are never
// seen and carry the same foliage so that no other colour bleeds in.
Picture treeCard() {
    Picture p(kSize, kSize);
    const Colour shade = rgb(18, 58, 26), mid = rgb(36, 104, 42), lit = rgb(88, 150, 64);
    paint(p, [&](float u, float vDown) {
        float v = 1 - vDown;  // 0 at the base, 1 at the apex
        float needles = fbm(u, v, 8, 4, 51);
        const float tiers = 5.0f;
        float wave = 0.035f * std::sin(u * kTau * 6 + v * 9);
        float t = (v + wave) * tiers;
        t -= std::floor(t);  // 0 at the hanging edge of a tier, 1 at its top
        // A branch tier is bright at its hanging edge and in shadow under the tier above.
        float tier = smoothstep(1.0f, 0.35f, t) * 0.85f + 0.15f;
        float halfWidth = std::max(0.02f, 0.5f * (1 - v));
        float across = (u - 0.5f) / halfWidth;  // -1 left edge .. 1 right edge
        float side = 0.5f - 0.25f * across;     // light from the left
        float k = clamp01(0.25f + 0.55f * tier + 0.25f * side + 0.35f * (needles - 0.5f));
        Colour c = k < 0.5f ? mix(shade, mid, k * 2) : mix(mid, lit, (k - 0.5f) * 2);
        return c;
    });
    // Trunk at the foot of the card, under the lowest tier.
    p.fillRect(kSize * 0.45f, kSize * 0.93f, kSize * 0.55f, float(kSize), rgb(92, 60, 34));
    p.fillRect(kSize * 0.45f, kSize * 0.93f, kSize * 0.48f, float(kSize), rgb(120, 84, 50), 0.8f);
    // Snow-free, but a few lighter needle tufts along the tier edges.
    Random r(52);
    for (int i = 0; i < 220; ++i) {
        float v = r.range(0.05f, 0.92f), halfWidth = 0.5f * (1 - v);
        float u = 0.5f + r.range(-1, 1) * halfWidth * 0.95f;
        p.line(u * kSize, (1 - v) * kSize, u * kSize + r.range(-2, 2), (1 - v) * kSize + r.range(1, 3), 1.0f,
               rgb(110, 170, 80), 0.5f);
    }
    return p;
}

Picture bark() {
    Picture p(kSize, kSize);
    const Colour deep = rgb(40, 26, 16), ridge = rgb(122, 92, 62);
    paint(p, [&](float u, float v) {
        float stretch = fbmXY(u, v, 8, 2, 4, 61);  // long vertical streaks
        float furrow = std::abs(std::sin(kTau * (7 * u + 0.6f * fbmXY(u, v, 3, 2, 3, 62))));
        float k = clamp01(0.15f + 0.6f * smoothstep(0.1f, 0.8f, furrow) + 0.45f * (stretch - 0.4f));
        Colour c = mix(deep, ridge, k);
        float moss = smoothstep(0.62f, 0.75f, fbm(u, v, 3, 4, 63));
        return mix(c, rgb(84, 104, 46), 0.45f * moss);
    });
    return p;
}

// The end of a round bale: straw wound in a spiral.
Picture hayEnd() {
    Picture p(kSize, kSize);
    const Colour dark = rgb(150, 110, 44), gold = rgb(222, 184, 92), pale = rgb(246, 222, 148);
    paint(p, [&](float u, float v) {
        float dx = u - 0.5f, dy = v - 0.5f;
        float r = std::sqrt(dx * dx + dy * dy) / 0.5f;
        float a = std::atan2(dy, dx);
        float spiral = 0.5f + 0.5f * std::sin(kTau * 7 * r - a);
        float strands = fbm(u, v, 16, 3, 71);
        float k = clamp01(0.2f + 0.6f * spiral + 0.4f * (strands - 0.5f));
        Colour c = k < 0.5f ? mix(dark, gold, k * 2) : mix(gold, pale, (k - 0.5f) * 2);
        // Darker towards the rim and in the corners beyond it.
        return scale(c, 1.0f - 0.25f * smoothstep(0.85f, 1.05f, r) - 0.1f * smoothstep(0.0f, 0.15f, 0.15f - r));
    });
    Random rnd(72);
    for (int i = 0; i < 300; ++i) {
        float a = rnd.range(0, kTau), r = rnd.range(2, kSize * 0.5f);
        float x = kSize / 2 + r * std::cos(a), y = kSize / 2 + r * std::sin(a);
        float len = rnd.range(3, 9);
        p.line(x, y, x - len * std::sin(a), y + len * std::cos(a), 1.0f,
               mix(rgb(170, 128, 50), rgb(250, 230, 160), rnd.uniform()), 0.6f);
    }
    return p;
}

// The side of a bale: loose straw, mostly running across (around the bale).
Picture straw() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        return mix(rgb(168, 128, 52), rgb(212, 172, 84), fbmXY(u, v, 2, 8, 3, 81));
    });
    Random r(82);
    for (int i = 0; i < 900; ++i) {
        float x = r.range(0, kSize), y = r.range(0, kSize);
        float len = r.range(10, 34), angle = r.range(-0.3f, 0.3f);
        Colour c = mix(rgb(150, 108, 40), rgb(250, 228, 150), r.uniform());
        p.line(x, y, x + len * std::cos(angle), y + len * std::sin(angle), r.range(0.8f, 1.6f), c, 0.7f, true);
    }
    return p;
}

Picture rock(int variant) {
    Picture p(kSize, kSize);
    const uint32_t seed = 90 + uint32_t(variant) * 10;
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 4, 6, seed);
        Cell c = cellular(u, v, 5, seed + 1);
        float crack = smoothstep(0.0f, 0.08f, c.f2 - c.f1);
        Colour base;
        switch (variant) {
        case 1:  // speckled granite
            base = mix(rgb(96, 96, 98), rgb(176, 174, 170), n);
            break;
        case 2:  // weathered grey-brown boulder
            base = mix(rgb(92, 84, 74), rgb(160, 150, 134), n);
            break;
        default: {  // layered blue-grey slate
            float strata = 0.5f + 0.5f * std::sin(kTau * (6 * v + 0.8f * fbm(u, v, 2, 3, seed + 2)));
            base = mix(rgb(70, 80, 94), rgb(138, 146, 158), clamp01(0.3f * strata + 0.7f * n));
        }
        }
        return scale(base, 0.55f + 0.45f * crack);
    });
    Random r(seed + 3);
    if (variant == 1)
        for (int i = 0; i < 500; ++i)
            p.fillCircle(r.range(0, kSize), r.range(0, kSize), r.range(0.4f, 1.0f),
                         r.uniform() < 0.5f ? rgb(40, 40, 42) : rgb(225, 222, 214), 0.7f, true);
    if (variant == 2)
        for (int i = 0; i < 14; ++i) {  // lichen
            float x = r.range(0, kSize), y = r.range(0, kSize);
            for (int j = 0; j < 8; ++j)
                p.fillCircle(x + r.range(-4, 4), y + r.range(-4, 4), r.range(1, 2.5f), rgb(170, 170, 84), 0.55f, true);
        }
    return p;
}

namespace {

// A pill label: a coloured wrap with a white band. The world is drawn
// mirrored in x, so a word on the band is painted mirrored to read the
// right way round in the game.
Picture pillLabel(const Font& font, Colour body, Colour bandText, const char* word, const char* second) {
    Picture p(kSize, kSize, body);
    paint(p, [&](float u, float v) {
        float shine = 1.0f + 0.18f * std::cos(kTau * (v - 0.3f));
        return scale(mix(body, scale(body, 0.8f), fbm(u, v, 8, 2, 111)), shine);
    });
    p.fillRect(0, kSize * 0.30f, kSize, kSize * 0.70f, rgb(248, 246, 240));
    p.fillRect(0, kSize * 0.30f, kSize, kSize * 0.32f, scale(body, 0.6f));
    p.fillRect(0, kSize * 0.68f, kSize, kSize * 0.70f, scale(body, 0.6f));
    if (word) {
        // Twice round the pill, so one copy faces the camera as it spins.
        TextStyle style{bandText, scale(bandText, 0.75f), {}, 0, 0, 0};
        TextMask m = font.render(word, 34, 2);
        for (int i = 0; i < 2; ++i) stampText(p, m, i * kSize / 2 + (kSize / 2 - m.width) / 2, int(kSize * 0.5f) + 12, style);
    } else {
        // No word: a ring of plain dots, which says nothing about the pill.
        for (int i = 0; i < 8; ++i) p.fillCircle((i + 0.5f) * kSize / 8, kSize * 0.5f, 4.0f, scale(bandText, 0.9f));
    }
    // Small marks above and below, the same on every side of the pill.
    if (second) {
        TextMask s = font.render(second, 20, 1);
        TextStyle white{rgb(255, 255, 255), rgb(235, 235, 235), {}, 0, 0, 0};
        for (int i = 0; i < 2; ++i) {
            stampText(p, s, i * kSize / 2 + (kSize / 2 - s.width) / 2, int(kSize * 0.22f), white);
            stampText(p, s, i * kSize / 2 + (kSize / 2 - s.width) / 2, int(kSize * 0.92f), white);
        }
    }
    Picture mirrored(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) mirrored.at(x, y) = p.at(kSize - 1 - x, y);
    return mirrored;
}

}  // namespace

Picture growthPillLabel(const Font& font) { return pillLabel(font, rgb(210, 40, 36), rgb(200, 30, 30), "BIG", "+"); }

// The 'Y' pill does nothing when taken, so its label promises nothing.
Picture headPillLabel(const Font& font) { return pillLabel(font, rgb(40, 90, 210), rgb(30, 70, 190), nullptr, nullptr); }

// A snail on a leaf-green disc: the slow-down icon.
Picture snailIcon() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float dx = u - 0.5f, dy = v - 0.5f;
        float r = std::sqrt(dx * dx + dy * dy);
        return mix(rgb(196, 232, 140), rgb(120, 182, 80), clamp01(r * 1.6f));
    });
    const float s = kSize / 128.0f;
    // Body: a long foot with the head raised at the right.
    const Colour body = rgb(168, 150, 110), bodyEdge = rgb(110, 92, 60);
    p.fillEllipse(64 * s, 98 * s, 50 * s, 11 * s, bodyEdge);
    p.fillEllipse(64 * s, 97 * s, 48 * s, 9 * s, body);
    p.fillEllipse(104 * s, 84 * s, 11 * s, 16 * s, bodyEdge);
    p.fillEllipse(104 * s, 84 * s, 9 * s, 14 * s, body);
    // Eye stalks.
    p.line(102 * s, 72 * s, 96 * s, 50 * s, 3 * s, bodyEdge);
    p.line(108 * s, 72 * s, 114 * s, 50 * s, 3 * s, bodyEdge);
    p.fillCircle(96 * s, 49 * s, 4 * s, rgb(40, 30, 24));
    p.fillCircle(114 * s, 49 * s, 4 * s, rgb(40, 30, 24));
    // Shell with its spiral.
    const float cx = 58 * s, cy = 64 * s, R = 34 * s;
    p.fillCircle(cx, cy, R + 2 * s, rgb(90, 50, 20));
    for (int y = int(cy - R); y <= int(cy + R); ++y)
        for (int x = int(cx - R); x <= int(cx + R); ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy, r = std::sqrt(dx * dx + dy * dy);
            if (r > R) continue;
            float a = std::atan2(dy, dx);
            float band = 0.5f + 0.5f * std::sin(kTau * (r / R) * 3.2f - a);
            Colour c = mix(rgb(150, 80, 30), rgb(222, 150, 70), band);
            p.blend(x, y, c, clamp01(R - r + 0.5f));
        }
    float prevX = cx, prevY = cy;
    for (float a = 0; a < 3.2f * kTau; a += 0.05f) {
        float r = R * a / (3.2f * kTau);
        float x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        p.line(prevX, prevY, x, y, 2.2f * s, rgb(80, 40, 14));
        prevX = x;
        prevY = y;
    }
    return p;
}

// Corrugated sheet: vertical ridges, rivet rows and a little rust.
Picture siloMetal() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float ridge = 0.5f + 0.5f * std::sin(kTau * 16 * u);
        Colour metal = mix(rgb(120, 126, 132), rgb(206, 212, 218), 0.3f + 0.6f * ridge);
        float dirt = fbmXY(u, v, 8, 2, 3, 121);
        metal = scale(metal, 0.85f + 0.2f * dirt);
        float rust = smoothstep(0.66f, 0.8f, fbmXY(u, v, 16, 3, 4, 122)) * smoothstep(0.2f, 1.0f, v);
        return mix(metal, rgb(150, 82, 40), 0.6f * rust);
    });
    for (int row = 0; row < 4; ++row) {
        float y = row * kSize / 4.0f + 4;
        p.fillRect(0, y - 1.5f, kSize, y + 0.5f, rgb(100, 104, 110), 0.6f);
        for (int i = 0; i < 16; ++i) p.fillCircle(i * kSize / 16.0f + 4, y + 3, 1.3f, rgb(70, 72, 78));
    }
    return p;
}

// The roof of the silo seen from above: panels meeting at a cap.
Picture siloTop() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float dx = u - 0.5f, dy = v - 0.5f;
        float r = std::sqrt(dx * dx + dy * dy) / 0.5f, a = std::atan2(dy, dx);
        float panel = std::fmod(a / kTau * 16 + 16, 1.0f);
        float seam = smoothstep(0.0f, 0.06f, panel) * smoothstep(1.0f, 0.94f, panel);
        float light = 0.75f + 0.25f * std::cos(a + 2.3f);
        Colour c = scale(mix(rgb(150, 154, 160), rgb(196, 200, 206), fbm(u, v, 8, 3, 131)), light);
        c = scale(c, 0.6f + 0.4f * seam);
        if (r < 0.18f) c = scale(rgb(120, 124, 130), 0.9f + 0.1f * light);
        float ring = smoothstep(0.03f, 0.0f, std::abs(r - 0.18f));
        return scale(c, 1.0f - 0.5f * ring);
    });
    return p;
}

Picture blank() {
    Picture p(64, 64);
    paint(p, [&](float u, float v) { return mix(rgb(236, 236, 232), rgb(248, 248, 244), fbm(u, v, 4, 3, 141)); });
    return p;
}

// Red barn boards, eight across, with grain, seams and nails.
// The barn and the gates draw this multiplied by a dark red (0.3, 0.1, 0.1),
// which leaves at most a third of red and a tenth of the rest: the paint is
// that colour already, so the picture carries only light and shade, near
// white on the boards (weathered a little towards warm grey) and dark in
// the seams between them, strong enough to survive the multiply.
Picture barnPlanks() {
    Picture p(kSize, kSize);
    const int boards = 8;
    paint(p, [&](float u, float v) {
        int board = std::min(boards - 1, int(u * boards));
        float local = u * boards - board;
        float tone = (hash32(uint32_t(board) * 31u + 7u) & 255) / 255.0f;
        float grain = fbmXY(u * 1.0f + board * 0.37f, v, 16, 2, 4, 151);
        float knot = smoothstep(0.8f, 0.9f, fbm(u, v, 6, 3, 152));
        float worn = smoothstep(0.6f, 0.8f, fbm(u, v, 8, 4, 153));
        Colour c = scale(rgb(255, 246, 236), 0.78f + 0.12f * tone + 0.2f * (grain - 0.5f) - 0.25f * knot);
        c = mix(c, rgb(200, 196, 190), 0.4f * worn);
        // Each board's edges catch the light on the left and fall into
        // shadow on the right; the seam between boards is nearly black.
        float seam = smoothstep(0.0f, 0.06f, local) * smoothstep(1.0f, 0.92f, local);
        float bevel = 1.0f + 0.12f * smoothstep(0.1f, 0.0f, local - 0.06f) - 0.15f * smoothstep(0.8f, 0.92f, local);
        return scale(c, clamp01((0.18f + 0.82f * seam) * bevel));
    });
    // Nail heads near the top and bottom of each board, and a batten across
    // the middle, which shows the boards' direction from afar.
    p.fillRect(0, kSize * 0.47f, kSize, kSize * 0.53f, rgb(236, 228, 218));
    p.fillRect(0, kSize * 0.53f, kSize, kSize * 0.545f, rgb(60, 54, 50));
    for (int b = 0; b < boards; ++b)
        for (float y : {10.0f, 64.0f, 118.0f}) p.fillCircle((b + 0.5f) * kSize / boards, y, 1.6f, rgb(70, 64, 60));
    return p;
}

// White hide with black Holstein patches; tiles.
Picture holsteinSpots() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 3, 5, 161, 0.55f);
        float spot = smoothstep(0.52f, 0.56f, n);
        float fur = fbm(u, v, 16, 2, 162);
        Colour white = scale(rgb(246, 244, 236), 0.95f + 0.05f * fur);
        Colour black = scale(rgb(30, 28, 28), 0.8f + 0.4f * fur);
        return mix(white, black, spot);
    });
    return p;
}

Picture whiteHide() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float fur = fbm(u, v, 16, 3, 171);
        float shade = fbm(u, v, 2, 3, 172);
        return scale(mix(rgb(232, 228, 216), rgb(250, 248, 242), fur), 0.95f + 0.05f * shade);
    });
    return p;
}

// Ivory at the root (the bottom of the picture), dark at the tip, ringed.
Picture horn() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float vDown) {
        float v = 1 - vDown;
        Colour c = mix(rgb(236, 226, 196), rgb(70, 58, 46), smoothstep(0.45f, 1.0f, v));
        float rings = 0.5f + 0.5f * std::sin(kTau * 10 * v + 2 * fbm(u, v, 4, 2, 181));
        float streak = fbmXY(u, v, 16, 2, 3, 182);
        return scale(c, 0.85f + 0.08f * rings + 0.12f * streak);
    });
    return p;
}

// A brown hide with white patches, for the other breed of cow.
Picture brownHide() {
    Picture p(kSize, kSize);
    paint(p, [&](float u, float v) {
        float n = fbm(u, v, 3, 5, 191, 0.55f);
        float patch = smoothstep(0.6f, 0.64f, n);
        float fur = fbmXY(u, v, 32, 8, 2, 192);
        Colour brown = scale(mix(rgb(110, 58, 30), rgb(150, 86, 46), fbm(u, v, 4, 3, 193)), 0.9f + 0.15f * fur);
        return mix(brown, scale(rgb(240, 234, 222), 0.92f + 0.08f * fur), patch);
    });
    return p;
}

}  // namespace pic
