// PLACEHOLDER(images): plain-colour pictures so the game can start; the real
// generator replaces this file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

static void writeBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    int pitch = (w * 3 + 3) & ~3;
    std::vector<uint8_t> data(54 + pitch * h, 0);
    auto put32 = [&](int at, uint32_t v) { for (int i = 0; i < 4; ++i) data[at + i] = (v >> (8 * i)) & 255; };
    data[0] = 'B'; data[1] = 'M';
    put32(2, data.size()); put32(10, 54); put32(14, 40); put32(18, w); put32(22, h);
    data[26] = 1; data[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &data[54 + y * pitch + x * 3];
            p[0] = b; p[1] = g; p[2] = r;
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) { std::perror(path.c_str()); return; }
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string out = argv[1];
    struct { const char* name; uint8_t r, g, b; } files[] = {
        {"splashscreen.bmp", 200, 220, 120}, {"tiles/grass.bmp", 60, 160, 50}, {"tiles/dirt.bmp", 140, 100, 60},
        {"tiles/water2a.bmp", 40, 90, 200}, {"tiles/x.bmp", 120, 120, 110}, {"textures/tritree64.bmp", 30, 120, 30},
        {"textures/bark64.bmp", 100, 70, 40}, {"textures/hayround.bmp", 230, 200, 90}, {"textures/hay2B.bmp", 220, 190, 80},
        {"textures/rock1.bmp", 130, 130, 130}, {"textures/rock2.bmp", 140, 140, 135}, {"textures/rock3.bmp", 120, 120, 125},
        {"textures/big_pillx.bmp", 230, 60, 60}, {"textures/head_pillx2.bmp", 60, 60, 230}, {"textures/snail1.bmp", 200, 160, 90},
        {"textures/silo1.bmp", 180, 180, 190}, {"textures/silo_top.bmp", 150, 150, 160}, {"textures/blank.bmp", 255, 255, 255},
        {"textures/Barn.bmp", 160, 40, 30}, {"textures/cowspots.bmp", 240, 240, 240}, {"textures/white.bmp", 255, 255, 255},
        {"textures/horns.bmp", 230, 220, 190}, {"textures/cowhide.bmp", 230, 230, 230},
    };
    for (auto& f : files) writeBmp(out + "/" + f.name, 64, 64, f.r, f.g, f.b);
    return 0;
}
