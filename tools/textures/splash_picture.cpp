// The title picture: a farm at morning with two cows squaring up, the game's
// name and the key that starts it. Painted at 1024 x 768 (the window's 4:3)
// and stored at 1024 x 1024, which the splash quad stretches back to 4:3.
#include <cmath>

#include "textures.h"

namespace pic {

namespace {

constexpr float kTau = 6.2831853f;
constexpr int W = 1024, H = 768;

void cloud(Picture& p, float x, float y, float size, Random& r) {
    for (int i = 0; i < 9; ++i) {
        float dx = r.range(-1.6f, 1.6f) * size, dy = r.range(-0.35f, 0.25f) * size;
        float rad = r.range(0.45f, 0.8f) * size * (1.0f - std::abs(dx) / (2.2f * size));
        p.fillEllipse(x + dx, y + dy + 4, rad * 1.3f, rad * 0.8f, rgb(170, 196, 226), 0.5f);
        p.fillEllipse(x + dx, y + dy, rad * 1.3f, rad * 0.8f, rgb(252, 252, 255), 0.95f);
    }
}

// A hill band: the area under a wavy skyline down to the bottom.
void hill(Picture& p, float base, float amp, float phase, int waves, Colour top, Colour bottom, uint32_t seed) {
    for (int x = 0; x < W; ++x) {
        float u = float(x) / W;
        float sky = base - amp * (0.6f * std::sin(kTau * (u * waves * 0.5f) + phase) +
                                  0.4f * std::sin(kTau * (u * waves * 1.3f) + phase * 2.1f));
        for (int y = int(sky) - 1; y < H; ++y) {
            if (y < 0) continue;
            float a = clamp01(y + 1 - sky);
            float t = clamp01((y - sky) / 260.0f);
            float n = valueNoise(u, y / float(H), 64, seed);
            p.blend(x, y, scale(mix(top, bottom, t), 0.93f + 0.1f * n), a);
        }
    }
}

void barn(Picture& p, float x, float y, float s) {
    // Body, gable roof, white trim and the crossed doors.
    const Colour red = rgb(176, 40, 32), dark = rgb(110, 24, 20), roof = rgb(70, 64, 66), trim = rgb(244, 240, 230);
    p.fillRect(x, y - 70 * s, x + 130 * s, y, red);
    for (int i = 1; i < 9; ++i) p.fillRect(x + i * 14.4f * s, y - 70 * s, x + i * 14.4f * s + 1.2f * s, y, dark, 0.6f);
    p.fillPolygon({x - 10 * s, y - 68 * s, x + 65 * s, y - 122 * s, x + 140 * s, y - 68 * s}, roof);
    p.fillPolygon({x + 2 * s, y - 70 * s, x + 65 * s, y - 114 * s, x + 128 * s, y - 70 * s}, red);
    p.fillRect(x + 45 * s, y - 48 * s, x + 85 * s, y, trim);
    p.fillRect(x + 49 * s, y - 44 * s, x + 81 * s, y, dark);
    p.line(x + 49 * s, y - 44 * s, x + 81 * s, y, 3 * s, trim);
    p.line(x + 81 * s, y - 44 * s, x + 49 * s, y, 3 * s, trim);
    p.fillRect(x + 56 * s, y - 96 * s, x + 74 * s, y - 80 * s, trim);
    p.fillRect(x + 59 * s, y - 93 * s, x + 71 * s, y - 83 * s, rgb(60, 40, 30));
}

void silo(Picture& p, float x, float y, float s) {
    const float w = 40 * s, h = 140 * s;
    for (int i = 0; i < int(w); ++i) {
        float t = i / w;
        Colour c = mix(rgb(210, 214, 220), rgb(120, 124, 132), t);
        c = scale(c, 0.92f + 0.08f * std::sin(kTau * t * 6));
        p.fillRect(x + i, y - h, x + i + 1, y, c);
    }
    p.fillEllipse(x + w / 2, y - h, w / 2, w / 2.2f, rgb(170, 174, 182));
    p.fillEllipse(x + w / 2 - 5 * s, y - h - 4 * s, w / 5, w / 6, rgb(230, 232, 236), 0.7f);
    for (int b = 1; b < 6; ++b) p.fillRect(x, y - h * b / 6.0f, x + w, y - h * b / 6.0f + 2 * s, rgb(100, 104, 110), 0.7f);
}

void roundBale(Picture& p, float x, float y, float r) {
    // The side (a rounded block of straw) with the spiral end towards us.
    p.fillEllipse(x + r * 0.7f, y + r * 0.9f, r * 1.5f, r * 0.22f, rgb(40, 70, 30), 0.35f);
    p.fillRect(x, y - r, x + r * 0.9f, y + r, rgb(196, 152, 66));
    p.fillEllipse(x + r * 0.9f, y, r * 0.35f, r, rgb(170, 128, 52));
    Random rnd(uint32_t(x * 3 + y));
    for (int i = 0; i < 60; ++i) {
        float yy = y + rnd.range(-0.95f, 0.95f) * r;
        p.line(x + rnd.range(0, 0.5f) * r, yy, x + rnd.range(0.4f, 1.1f) * r, yy + rnd.range(-2, 2), 1.5f,
               mix(rgb(150, 110, 40), rgb(245, 220, 140), rnd.uniform()), 0.7f);
    }
    for (int yy = int(y - r); yy <= int(y + r); ++yy)
        for (int xx = int(x - r * 0.4f); xx <= int(x + r * 0.4f); ++xx) {
            float dx = (xx + 0.5f - x) / 0.4f, dy = yy + 0.5f - y;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d > r) continue;
            float a = std::atan2(dy, dx);
            float band = 0.5f + 0.5f * std::sin(kTau * 5 * d / r - a);
            Colour c = mix(rgb(176, 132, 54), rgb(244, 214, 128), band);
            p.blend(xx, yy, scale(c, 1.0f - 0.2f * d / r), clamp01(r - d + 0.5f));
        }
}

void fence(Picture& p, float y, Random& r) {
    const Colour wood = rgb(128, 88, 52), woodDark = rgb(82, 54, 30), woodLight = rgb(170, 126, 80);
    for (float rail : {y - 64, y - 30}) {
        p.fillRect(0, rail + 3, W, rail + 15, woodDark, 0.5f);
        p.fillRect(0, rail, W, rail + 12, wood);
        p.fillRect(0, rail, W, rail + 3, woodLight);
    }
    for (float x = 30; x < W; x += 120) {
        float lean = r.range(-2, 2);
        p.fillPolygon({x + lean, y - 90, x + 18 + lean, y - 90, x + 18, y + 8, x, y + 8}, wood);
        p.fillRect(x + 13, y - 90, x + 18, y + 8, woodDark, 0.7f);
        p.fillPolygon({x + lean, y - 90, x + 9 + lean, y - 97, x + 18 + lean, y - 90}, woodLight);
    }
}

// A Holstein standing side-on, head lowered for a butt; `facing` is +1 for
// right, -1 for left.
void cow(Picture& p, float cx, float ground, float s, int facing) {
    auto X = [&](float dx) { return cx + facing * dx * s; };
    auto Y = [&](float dy) { return ground - dy * s; };
    const Colour white = rgb(248, 246, 240), black = rgb(28, 26, 26), pink = rgb(236, 170, 170),
                 hoof = rgb(50, 44, 40), outline = rgb(40, 36, 34);
    // Shadow.
    p.fillEllipse(X(0), Y(-4), 130 * s, 14 * s, rgb(30, 60, 20), 0.35f);
    // Legs (far pair darker).
    for (float lx : {-70.0f, 55.0f}) {
        p.fillRect(std::min(X(lx + 4), X(lx + 20)), Y(70), std::max(X(lx + 4), X(lx + 20)), Y(0), rgb(200, 198, 192));
        p.fillRect(std::min(X(lx + 4), X(lx + 20)), Y(10), std::max(X(lx + 4), X(lx + 20)), Y(0), hoof);
    }
    for (float lx : {-88.0f, 38.0f}) {
        p.fillRect(std::min(X(lx), X(lx + 18)), Y(72), std::max(X(lx), X(lx + 18)), Y(0), white);
        p.fillRect(std::min(X(lx), X(lx + 18)), Y(10), std::max(X(lx), X(lx + 18)), Y(0), hoof);
    }
    // Tail.
    p.line(X(-100), Y(125), X(-118), Y(60), 5 * s, white);
    p.fillEllipse(X(-118), Y(55), 7 * s, 12 * s, black);
    // Body with its outline and patches.
    p.fillEllipse(X(0), Y(110), 112 * s, 52 * s, outline);
    p.fillEllipse(X(0), Y(110), 109 * s, 49 * s, white);
    p.fillEllipse(X(-45), Y(118), 38 * s, 30 * s, black);
    p.fillEllipse(X(25), Y(126), 30 * s, 22 * s, black);
    p.fillEllipse(X(-5), Y(92), 18 * s, 14 * s, black);
    p.fillEllipse(X(60), Y(104), 20 * s, 24 * s, black);
    // Udder.
    p.fillEllipse(X(-25), Y(62), 16 * s, 10 * s, pink);
    // Neck and lowered head.
    p.fillPolygon({X(80), Y(145), X(128), Y(112), X(132), Y(78), X(92), Y(82)}, white);
    p.fillEllipse(X(140), Y(86), 30 * s, 24 * s, outline);
    p.fillEllipse(X(140), Y(86), 28 * s, 22 * s, white);
    p.fillEllipse(X(134), Y(96), 16 * s, 12 * s, black);
    p.fillEllipse(X(160), Y(70), 16 * s, 13 * s, pink);
    p.fillCircle(X(164), Y(73), 2.5f * s, rgb(120, 60, 60));
    p.fillCircle(X(143), Y(96), 4.5f * s, rgb(20, 20, 20));
    p.fillCircle(X(144.5f), Y(97.5f), 1.5f * s, white);
    // Ear and horns.
    p.fillEllipse(X(118), Y(104), 12 * s, 6 * s, white);
    p.fillEllipse(X(118), Y(104), 8 * s, 3.5f * s, pink);
    p.fillPolygon({X(128), Y(106), X(136), Y(108), X(150), Y(130), X(146), Y(131)}, rgb(236, 226, 196));
    p.fillPolygon({X(146), Y(131), X(150), Y(130), X(152), Y(135)}, rgb(90, 78, 64));
}

}  // namespace

Picture splashPicture(const Font& font) {
    Picture p(W, H);
    // Morning sky.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            p.at(x, y) = mix(rgb(72, 142, 222), rgb(200, 228, 248), clamp01(y / 420.0f));
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < W; ++x) {
            float dx = x - 860.0f, dy = y - 120.0f, d = std::sqrt(dx * dx + dy * dy);
            p.blend(x, y, rgb(255, 246, 200), 0.5f * clamp01(1 - d / 260.0f));
        }
    p.fillCircle(860, 120, 48, rgb(255, 244, 176));
    Random r(7);
    cloud(p, 150, 90, 40, r);
    cloud(p, 560, 60, 30, r);
    cloud(p, 700, 170, 36, r);

    // Hills, the farm on the middle one, then the near meadow.
    hill(p, 440, 40, 0.3f, 3, rgb(136, 178, 120), rgb(108, 156, 92), 1);
    hill(p, 480, 30, 2.0f, 2, rgb(104, 164, 70), rgb(78, 138, 52), 2);
    barn(p, 56, 492, 1.25f);
    silo(p, 236, 490, 1.0f);
    hill(p, 560, 14, 4.0f, 2, rgb(86, 156, 56), rgb(50, 118, 36), 3);
    Random g(8);
    for (int i = 0; i < 5000; ++i) {
        float x = g.range(0, W), y = g.range(540, H);
        float len = 4 + (y - 540) / 30.0f;
        p.line(x, y, x + g.range(-2, 2), y - len, 1.2f, mix(rgb(40, 100, 28), rgb(140, 196, 80), g.uniform()), 0.6f);
    }
    fence(p, 600, r);
    roundBale(p, 850, 650, 52);
    roundBale(p, 930, 690, 44);
    roundBale(p, 110, 690, 46);
    cow(p, 330, 735, 1.0f, +1);
    cow(p, 694, 735, 1.0f, -1);

    // The name of the game, large, and what to press.
    TextMask title = font.render("Hoofbrawl", 176, 16);
    stampText(p, title, (W - title.width) / 2, 250,
              {rgb(255, 232, 90), rgb(242, 132, 24), rgb(70, 30, 10), 8.0f, 0.45f, 10});
    TextMask names = font.render("Boris  vs  Horace", 40, 6);
    stampText(p, names, (W - names.width) / 2, 318, {rgb(255, 255, 255), rgb(230, 236, 244), rgb(40, 50, 80), 3.0f, 0.3f, 3});
    TextMask press = font.render("Press SPACE", 60, 8);
    const int px = (W - press.width) / 2, baseline = 412;
    p.fillRect(px + 4, baseline - 56, px + press.width - 4, baseline + 16, rgb(20, 30, 20), 0.4f);
    stampText(p, press, px, baseline, {rgb(255, 255, 255), rgb(255, 240, 200), rgb(20, 20, 20), 4.0f, 0.0f, 0});
    return p.resized(1024, 1024);
}

}  // namespace pic
