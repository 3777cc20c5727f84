#include "picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pic {

Colour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }
Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour scale(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }
float clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Picture::Picture(int width, int height, Colour fill) : w_(width), h_(height), px_(size_t(width) * height, fill) {}

Colour& Picture::wrapped(int x, int y) {
    x %= w_;
    y %= h_;
    if (x < 0) x += w_;
    if (y < 0) y += h_;
    return at(x, y);
}

void Picture::blend(int x, int y, Colour c, float alpha) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || alpha <= 0) return;
    Colour& p = at(x, y);
    p = mix(p, c, std::min(alpha, 1.0f));
}

void Picture::blendWrapped(int x, int y, Colour c, float alpha) {
    if (alpha <= 0) return;
    Colour& p = wrapped(x, y);
    p = mix(p, c, std::min(alpha, 1.0f));
}

void Picture::fillEllipse(float cx, float cy, float rx, float ry, Colour c, float alpha, bool wrap) {
    int x0 = int(std::floor(cx - rx - 1)), x1 = int(std::ceil(cx + rx + 1));
    int y0 = int(std::floor(cy - ry - 1)), y1 = int(std::ceil(cy + ry + 1));
    float rmin = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float d = std::sqrt(dx * dx + dy * dy);
            // Distance to the edge in pixels, roughly, for a one-pixel soft rim.
            float a = clamp01((1 - d) * rmin + 0.5f) * alpha;
            if (wrap) blendWrapped(x, y, c, a);
            else blend(x, y, c, a);
        }
}

void Picture::fillPolygon(const std::vector<float>& xy, Colour c, float alpha) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    auto inside = [&](float px, float py) {
        bool in = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
    for (int y = std::max(0, int(minY) - 1); y <= std::min(h_ - 1, int(maxY) + 1); ++y)
        for (int x = std::max(0, int(minX) - 1); x <= std::min(w_ - 1, int(maxX) + 1); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
            if (hits) blend(x, y, c, alpha * hits / 16.0f);
        }
}

void Picture::fillRect(float x0, float y0, float x1, float y1, Colour c, float alpha) {
    fillPolygon({x0, y0, x1, y0, x1, y1, x0, y1}, c, alpha);
}

void Picture::line(float x0, float y0, float x1, float y1, float thickness, Colour c, float alpha, bool wrap) {
    float r = thickness / 2;
    int bx0 = int(std::floor(std::min(x0, x1) - r - 1)), bx1 = int(std::ceil(std::max(x0, x1) + r + 1));
    int by0 = int(std::floor(std::min(y0, y1) - r - 1)), by1 = int(std::ceil(std::max(y0, y1) + r + 1));
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? clamp01((px * dx + py * dy) / len2) : 0;
            float ex = px - t * dx, ey = py - t * dy;
            float a = clamp01(r - std::sqrt(ex * ex + ey * ey) + 0.5f) * alpha;
            if (wrap) blendWrapped(x, y, c, a);
            else blend(x, y, c, a);
        }
}

Picture Picture::resized(int width, int height) const {
    Picture out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float sx = (x + 0.5f) * w_ / width - 0.5f, sy = (y + 0.5f) * h_ / height - 0.5f;
            int ix = int(std::floor(sx)), iy = int(std::floor(sy));
            float fx = sx - ix, fy = sy - iy;
            auto get = [&](int X, int Y) { return at(std::clamp(X, 0, w_ - 1), std::clamp(Y, 0, h_ - 1)); };
            Colour top = mix(get(ix, iy), get(ix + 1, iy), fx), bottom = mix(get(ix, iy + 1), get(ix + 1, iy + 1), fx);
            out.at(x, y) = mix(top, bottom, fy);
        }
    return out;
}

bool Picture::saveBmp(const std::string& path) const {
    const uint32_t pitch = (uint32_t(w_) * 3 + 3) & ~3u;
    std::vector<uint8_t> data(54 + size_t(pitch) * h_, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = uint8_t(v >> (8 * i));
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, uint32_t(data.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w_));
    put32(22, uint32_t(h_));
    data[26] = 1;
    data[28] = 24;
    put32(34, pitch * uint32_t(h_));
    put32(38, 2835);
    put32(42, 2835);
    auto byte = [](float v) { return uint8_t(std::lround(clamp01(v) * 255)); };
    for (int row = 0; row < h_; ++row) {
        const int y = h_ - 1 - row;  // the file starts with the bottom row
        for (int x = 0; x < w_; ++x) {
            const Colour& c = at(x, y);
            uint8_t* p = &data[54 + size_t(row) * pitch + size_t(x) * 3];
            p[0] = byte(c.b);
            p[1] = byte(c.g);
            p[2] = byte(c.r);
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

uint32_t Random::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Random::uniform() { return (next() >> 8) / 16777216.0f; }

namespace {

float lattice(int x, int y, int periodX, int periodY, uint32_t seed) {
    x = ((x % periodX) + periodX) % periodX;
    y = ((y % periodY) + periodY) % periodY;
    return hash32(uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ hash32(seed)) / 4294967296.0f;
}

}  // namespace

float valueNoise(float u, float v, int period, uint32_t seed) { return valueNoiseXY(u, v, period, period, seed); }

float valueNoiseXY(float u, float v, int periodX, int periodY, uint32_t seed) {
    float x = u * periodX, y = v * periodY;
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy, periodX, periodY, seed), b = lattice(ix + 1, iy, periodX, periodY, seed);
    float c = lattice(ix, iy + 1, periodX, periodY, seed), d = lattice(ix + 1, iy + 1, periodX, periodY, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float fbm(float u, float v, int period, int octaves, uint32_t seed, float gain) {
    return fbmXY(u, v, period, period, octaves, seed, gain);
}

float fbmXY(float u, float v, int periodX, int periodY, int octaves, uint32_t seed, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoiseXY(u, v, periodX << o, periodY << o, seed + uint32_t(o) * 1013u);
        norm += amp;
        amp *= gain;
    }
    return sum / norm;
}

Cell cellular(float u, float v, int cells, uint32_t seed) {
    float x = u * cells, y = v * cells;
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    Cell best{1e9f, 1e9f, 0};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int cx = ix + dx, cy = iy + dy;
            int wx = ((cx % cells) + cells) % cells, wy = ((cy % cells) + cells) % cells;
            uint32_t h = hash32(uint32_t(wx) * 92837111u ^ uint32_t(wy) * 689287499u ^ hash32(seed));
            float px = cx + (h & 0xFFFF) / 65536.0f, py = cy + (h >> 16) / 65536.0f;
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = uint32_t(wy * cells + wx);
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    return best;
}

}  // namespace pic
