#include "assets/icon_picture.h"

#include <algorithm>
#include <cmath>

namespace {

struct Rgba {
    float r, g, b, a;
};

// Inside an ellipse centred at (cx, cy) with radii rx, ry, turned by `turn` radians.
bool inEllipse(float x, float y, float cx, float cy, float rx, float ry, float turn = 0) {
    float dx = x - cx, dy = y - cy;
    float c = std::cos(turn), s = std::sin(turn);
    float u = dx * c + dy * s, v = -dx * s + dy * c;
    return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1.0f;
}

bool inRoundedSquare(float x, float y, float margin, float radius) {
    float lo = margin + radius, hi = 1.0f - margin - radius;
    float qx = std::clamp(x, lo, hi), qy = std::clamp(y, lo, hi);
    float dx = x - qx, dy = y - qy;
    return x >= margin && x <= 1 - margin && y >= margin && y <= 1 - margin &&
           dx * dx + dy * dy <= radius * radius;
}

// The picture at one point of the unit square (y grows downwards), painted back
// to front. Shapes are bold so the head still reads at 16 pixels.
Rgba paint(float x, float y) {
    if (!inRoundedSquare(x, y, 0.03f, 0.17f)) return {0, 0, 0, 0};
    Rgba c;
    if (y < 0.62f) {  // sky, lighter towards the horizon
        float t = y / 0.62f;
        c = {0.36f + 0.30f * t, 0.62f + 0.22f * t, 0.92f + 0.04f * t, 1};
    } else {  // meadow
        float t = (y - 0.62f) / 0.38f;
        c = {0.40f - 0.12f * t, 0.70f - 0.18f * t, 0.24f - 0.08f * t, 1};
    }
    const Rgba outline{0.16f, 0.12f, 0.10f, 1}, hide{0.97f, 0.96f, 0.93f, 1}, patch{0.14f, 0.11f, 0.10f, 1},
        horn{0.95f, 0.88f, 0.66f, 1}, pink{0.96f, 0.66f, 0.68f, 1}, nostril{0.56f, 0.28f, 0.32f, 1};
    // Horns and ears behind the head.
    if (inEllipse(x, y, 0.29f, 0.19f, 0.12f, 0.055f, 0.6f) ||
        inEllipse(x, y, 0.71f, 0.19f, 0.12f, 0.055f, -0.6f))
        c = horn;
    if (inEllipse(x, y, 0.17f, 0.37f, 0.13f, 0.07f, 0.35f) || inEllipse(x, y, 0.83f, 0.37f, 0.13f, 0.07f, -0.35f))
        c = outline;
    if (inEllipse(x, y, 0.17f, 0.37f, 0.10f, 0.045f, 0.35f) || inEllipse(x, y, 0.83f, 0.37f, 0.10f, 0.045f, -0.35f))
        c = pink;
    // The head with a dark rim, a black patch over one eye, eyes, muzzle.
    if (inEllipse(x, y, 0.5f, 0.53f, 0.29f, 0.36f)) c = outline;
    if (inEllipse(x, y, 0.5f, 0.53f, 0.26f, 0.33f)) {
        c = hide;
        if (inEllipse(x, y, 0.35f, 0.38f, 0.13f, 0.12f)) c = patch;
        if (inEllipse(x, y, 0.40f, 0.48f, 0.045f, 0.05f) || inEllipse(x, y, 0.60f, 0.48f, 0.045f, 0.05f))
            c = patch;
    }
    if (inEllipse(x, y, 0.5f, 0.74f, 0.24f, 0.15f)) c = outline;
    if (inEllipse(x, y, 0.5f, 0.74f, 0.215f, 0.125f)) {
        c = pink;
        if (inEllipse(x, y, 0.42f, 0.75f, 0.04f, 0.03f) || inEllipse(x, y, 0.58f, 0.75f, 0.04f, 0.03f))
            c = nostril;
    }
    return c;
}

uint32_t channel(float v) { return uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

std::vector<uint32_t> iconPixels(int size) {
    constexpr int kSub = 4;  // 4 x 4 samples a pixel smooth the edges at every size
    std::vector<uint32_t> out(size_t(size) * size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    Rgba c = paint((px + (sx + 0.5f) / kSub) / size, (py + (sy + 0.5f) / kSub) / size);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            uint32_t pixel = 0;
            if (a > 0) pixel = channel(a / (kSub * kSub)) << 24 | channel(r / a) << 16 | channel(g / a) << 8 | channel(b / a);
            out[size_t(py) * size + px] = pixel;
        }
    }
    return out;
}
