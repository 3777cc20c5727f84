// A small painting kit for the procedural pictures: a float RGB canvas with
// y growing downwards (row 0 is the top of the picture), tileable noise, soft
// shapes, and a 24-bit BMP writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pic {

struct Colour {
    float r = 0, g = 0, b = 0;
};

Colour rgb(int r, int g, int b);
Colour mix(Colour a, Colour b, float t);
Colour scale(Colour c, float k);
float clamp01(float v);
float smoothstep(float e0, float e1, float x);

class Picture {
public:
    Picture(int width, int height, Colour fill = {});
    int width() const { return w_; }
    int height() const { return h_; }
    Colour& at(int x, int y) { return px_[size_t(y) * w_ + x]; }
    const Colour& at(int x, int y) const { return px_[size_t(y) * w_ + x]; }
    // Wraps around the edges, so tileable textures stay seamless.
    Colour& wrapped(int x, int y);
    void blend(int x, int y, Colour c, float alpha);
    void blendWrapped(int x, int y, Colour c, float alpha);

    // Shapes with soft (anti-aliased) edges; `wrap` paints across the edges.
    void fillEllipse(float cx, float cy, float rx, float ry, Colour c, float alpha = 1, bool wrap = false);
    void fillCircle(float cx, float cy, float r, Colour c, float alpha = 1, bool wrap = false) {
        fillEllipse(cx, cy, r, r, c, alpha, wrap);
    }
    void fillPolygon(const std::vector<float>& xy, Colour c, float alpha = 1);
    void fillRect(float x0, float y0, float x1, float y1, Colour c, float alpha = 1);
    void line(float x0, float y0, float x1, float y1, float thickness, Colour c, float alpha = 1, bool wrap = false);

    // Bilinear resampling to another size.
    Picture resized(int width, int height) const;

    // 24-bit BMP with the 14-byte file header and the 40-byte info header,
    // bottom row first as the format stores it. False on a write failure.
    bool saveBmp(const std::string& path) const;

private:
    int w_, h_;
    std::vector<Colour> px_;
};

// Deterministic pseudo-random numbers.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next();
    float uniform();                     // [0, 1)
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

private:
    uint32_t state_;
};

// Value noise on a lattice of `period` cells across [0, 1), wrapping at 1, so
// a texture made from it tiles. fbm adds octaves of doubling frequency.
float valueNoise(float u, float v, int period, uint32_t seed);
float fbm(float u, float v, int period, int octaves, uint32_t seed, float gain = 0.5f);
// The same with different lattice periods across and down (streaks, grain).
float valueNoiseXY(float u, float v, int periodX, int periodY, uint32_t seed);
float fbmXY(float u, float v, int periodX, int periodY, int octaves, uint32_t seed, float gain = 0.5f);

// Cellular noise on `cells` x `cells` jittered points, wrapping at 1: the
// distances (in cell units) to the nearest and second-nearest point, and the
// nearest point's index.
struct Cell {
    float f1, f2;
    uint32_t id;
};
Cell cellular(float u, float v, int cells, uint32_t seed);

uint32_t hash32(uint32_t x);

}  // namespace pic
