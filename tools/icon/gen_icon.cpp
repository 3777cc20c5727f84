// Writes the game's icon as PNG files in the hicolor layout:
// OUTDIR/<n>x<n>/apps/hoofbrawl.png for every installed size.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "assets/icon_picture.h"
#include "png_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_icon OUTDIR\n");
        return 2;
    }
    for (int size : kIconSizes) {
        std::string dir = std::string(argv[1]) + "/" + std::to_string(size) + "x" + std::to_string(size);
        mkdir(dir.c_str(), 0755);
        dir += "/apps";
        mkdir(dir.c_str(), 0755);
        std::string path = dir + "/hoofbrawl.png";
        if (!png::writeRgba(path, size, size, iconPixels(size))) {
            std::fprintf(stderr, "gen_icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
