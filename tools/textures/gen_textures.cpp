// Writes every texture file and the splash picture into a data directory:
//   gen_textures <data dir> <path to a TrueType font>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/stat.h>

#include "textures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data dir> <font.ttf>\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    pic::Font font(argv[2]);
    if (!font.ok()) {
        std::fprintf(stderr, "%s: cannot read the font %s\n", argv[0], argv[2]);
        return 1;
    }
    mkdir((out + "/tiles").c_str(), 0755);
    mkdir((out + "/textures").c_str(), 0755);
    const struct {
        const char* file;
        std::function<pic::Picture()> make;
    } pictures[] = {
        {"tiles/grass.bmp", pic::grassTile},
        {"tiles/dirt.bmp", pic::dirtTile},
        {"tiles/water2a.bmp", pic::waterTile},
        {"tiles/x.bmp", pic::rockyGroundTile},
        {"textures/tritree64.bmp", pic::treeCard},
        {"textures/bark64.bmp", pic::bark},
        {"textures/hayround.bmp", pic::hayEnd},
        {"textures/hay2B.bmp", pic::straw},
        {"textures/rock1.bmp", [] { return pic::rock(1); }},
        {"textures/rock2.bmp", [] { return pic::rock(2); }},
        {"textures/rock3.bmp", [] { return pic::rock(3); }},
        {"textures/big_pillx.bmp", [&] { return pic::growthPillLabel(font); }},
        {"textures/head_pillx2.bmp", [&] { return pic::headPillLabel(font); }},
        {"textures/snail1.bmp", pic::snailIcon},
        {"textures/silo1.bmp", pic::siloMetal},
        {"textures/silo_top.bmp", pic::siloTop},
        {"textures/blank.bmp", pic::blank},
        {"textures/Barn.bmp", pic::barnPlanks},
        {"textures/cowspots.bmp", pic::holsteinSpots},
        {"textures/white.bmp", pic::whiteHide},
        {"textures/horns.bmp", pic::horn},
        {"textures/cowhide.bmp", pic::brownHide},
        {"splashscreen.bmp", [&] { return pic::splashPicture(font); }},
    };
    int failures = 0;
    for (const auto& entry : pictures) {
        const std::string path = out + "/" + entry.file;
        if (!entry.make().saveBmp(path)) {
            std::perror(path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
