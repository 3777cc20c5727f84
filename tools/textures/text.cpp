#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace pic {

Font::Font(const std::string& ttfPath) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib)) return;
    library_ = lib;
    FT_Face face = nullptr;
    if (FT_New_Face(lib, ttfPath.c_str(), 0, &face)) return;
    face_ = face;
}

Font::~Font() {
    if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
    if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

namespace {

// The pen shift between two glyphs, in whole pixels (none for the first glyph).
int kerning(FT_Face face, FT_UInt previous, FT_UInt glyph) {
    if (!previous || !FT_HAS_KERNING(face)) return 0;
    FT_Vector k;
    FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &k);
    return int(k.x >> 6);
}

}  // namespace

TextMask Font::render(const std::string& text, int pixelSize, int pad) const {
    TextMask mask;
    FT_Face face = static_cast<FT_Face>(face_);
    if (!face) return mask;
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize));
    const int ascent = int(face->size->metrics.ascender >> 6), descent = int(-face->size->metrics.descender >> 6);
    // First pass: the width of the line.
    int penX = 0, right = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        penX += kerning(face, previous, glyph);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT)) continue;
        right = std::max(right, penX + int(face->glyph->metrics.horiBearingX >> 6) + int(face->glyph->metrics.width >> 6));
        penX += int(face->glyph->advance.x >> 6);
        previous = glyph;
    }
    mask.width = std::max(right, penX) + 2 * pad;
    mask.height = ascent + descent + 2 * pad;
    mask.baseline = pad + ascent;
    mask.cover.assign(size_t(mask.width) * mask.height, 0.0f);
    penX = pad;
    previous = 0;
    for (unsigned char ch : text) {
        FT_UInt glyph = FT_Get_Char_Index(face, ch);
        penX += kerning(face, previous, glyph);
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER)) continue;
        const FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                int x = penX + g->bitmap_left + int(col), y = mask.baseline - g->bitmap_top + int(row);
                if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) continue;
                float v = g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + col] / 255.0f;
                float& c = mask.cover[size_t(y) * mask.width + x];
                c = std::max(c, v);
            }
        penX += int(g->advance.x >> 6);
        previous = glyph;
    }
    return mask;
}

namespace {

// The mask grown by `radius` pixels (a soft-edged disc dilation).
std::vector<float> dilate(const TextMask& m, float radius) {
    std::vector<float> out(m.cover.size(), 0.0f);
    const int r = int(std::ceil(radius)) + 1;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r && best < 1; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    float d = std::sqrt(float(dx * dx + dy * dy));
                    float w = clamp01(radius + 0.5f - d);
                    if (w > 0) best = std::max(best, m.at(x + dx, y + dy) * w);
                }
            out[size_t(y) * m.width + x] = best;
        }
    return out;
}

std::vector<float> boxBlur(const std::vector<float>& in, int w, int h, int r) {
    std::vector<float> tmp(in.size()), out(in.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int d = -r; d <= r; ++d) s += in[size_t(y) * w + std::clamp(x + d, 0, w - 1)];
            tmp[size_t(y) * w + x] = s / (2 * r + 1);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int d = -r; d <= r; ++d) s += tmp[size_t(std::clamp(y + d, 0, h - 1)) * w + x];
            out[size_t(y) * w + x] = s / (2 * r + 1);
        }
    return out;
}

}  // namespace

void stampText(Picture& p, const TextMask& mask, int x, int baselineY, const TextStyle& style) {
    const int ox = x, oy = baselineY - mask.baseline;
    std::vector<float> grown = style.outlineWidth > 0 ? dilate(mask, style.outlineWidth) : mask.cover;
    if (style.shadowAlpha > 0) {
        std::vector<float> shadow = boxBlur(grown, mask.width, mask.height, std::max(1, style.shadowOffset / 2));
        for (int y = 0; y < mask.height; ++y)
            for (int xx = 0; xx < mask.width; ++xx)
                p.blend(ox + xx + style.shadowOffset, oy + y + style.shadowOffset, {0, 0, 0},
                        shadow[size_t(y) * mask.width + xx] * style.shadowAlpha);
    }
    if (style.outlineWidth > 0)
        for (int y = 0; y < mask.height; ++y)
            for (int xx = 0; xx < mask.width; ++xx)
                p.blend(ox + xx, oy + y, style.outline, grown[size_t(y) * mask.width + xx]);
    for (int y = 0; y < mask.height; ++y) {
        Colour fill = mix(style.top, style.bottom, float(y) / std::max(1, mask.height - 1));
        for (int xx = 0; xx < mask.width; ++xx) p.blend(ox + xx, oy + y, fill, mask.at(xx, y));
    }
}

}  // namespace pic
