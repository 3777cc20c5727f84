// Text for the pictures, rendered from a TrueType file with FreeType.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace pic {

// The coverage (0..1) of one line of text, with room around it for an outline.
struct TextMask {
    int width = 0, height = 0;
    int baseline = 0;  // row of the baseline within the mask
    std::vector<float> cover;
    float at(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : cover[size_t(y) * width + x];
    }
};

class Font {
public:
    explicit Font(const std::string& ttfPath);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    bool ok() const { return face_ != nullptr; }
    TextMask render(const std::string& text, int pixelSize, int pad) const;

private:
    void* library_ = nullptr;
    void* face_ = nullptr;
};

struct TextStyle {
    Colour top, bottom;        // fill, graded from the top of the mask to its bottom
    Colour outline;
    float outlineWidth = 0;    // pixels
    float shadowAlpha = 0;     // a soft drop shadow down and to the right
    int shadowOffset = 0;
};

// Paints the text with its left edge at x and its baseline at y.
void stampText(Picture& p, const TextMask& mask, int x, int baselineY, const TextStyle& style);

}  // namespace pic
