// The game's texture names by slot, 0 until loaded (a failed file stays 0 and
// whatever uses it is drawn untextured). Plain integers so that the world can
// copy them without seeing OpenGL.
#pragma once

#include <cstdint>

constexpr int kTileTextureSlots = 10;
constexpr int kObjectTextureSlots = 18;

extern uint32_t splashTexture;
extern uint32_t tileTextures[kTileTextureSlots];
extern uint32_t objectTextures[kObjectTextureSlots];

// Object texture slots by the file each one holds.
namespace tex {
constexpr int TriTree = 0;   // textures/tritree64.bmp
constexpr int Bark = 1;      // textures/bark64.bmp
constexpr int CowSpots = 2;  // textures/cowspots.bmp
constexpr int White = 3;     // textures/white.bmp
constexpr int Horns = 4;     // textures/horns.bmp
constexpr int CowHide = 5;   // textures/cowhide.bmp
constexpr int HayRound = 6;  // textures/hayround.bmp
constexpr int Hay2B = 7;     // textures/hay2B.bmp
constexpr int Rock1 = 8;
constexpr int Rock2 = 9;
constexpr int Rock3 = 10;
constexpr int BigPill = 11;   // textures/big_pillx.bmp
constexpr int HeadPill = 12;  // textures/head_pillx2.bmp
constexpr int Snail = 13;     // textures/snail1.bmp
constexpr int Silo = 14;      // textures/silo1.bmp
constexpr int SiloTop = 15;   // textures/silo_top.bmp
constexpr int Blank = 16;     // textures/blank.bmp
constexpr int Barn = 17;      // textures/Barn.bmp
}  // namespace tex

// The files of each table, in loading order, with the slot each one fills.
// Names are used exactly as written, letter case included.
struct TextureFile {
    int slot;
    const char* file;
};
constexpr const char* kSplashTextureFile = "splashscreen.bmp";
constexpr TextureFile kTileTextureFiles[] = {
    {0, "tiles/grass.bmp"}, {1, "tiles/dirt.bmp"}, {2, "tiles/water2a.bmp"}, {9, "tiles/x.bmp"}};
constexpr TextureFile kObjectTextureFiles[] = {
    {tex::TriTree, "textures/tritree64.bmp"},  {tex::Bark, "textures/bark64.bmp"},
    {tex::HayRound, "textures/hayround.bmp"},  {tex::Hay2B, "textures/hay2B.bmp"},
    {tex::Rock1, "textures/rock1.bmp"},        {tex::Rock2, "textures/rock2.bmp"},
    {tex::Rock3, "textures/rock3.bmp"},        {tex::BigPill, "textures/big_pillx.bmp"},
    {tex::HeadPill, "textures/head_pillx2.bmp"}, {tex::Snail, "textures/snail1.bmp"},
    {tex::Silo, "textures/silo1.bmp"},         {tex::SiloTop, "textures/silo_top.bmp"},
    {tex::Blank, "textures/blank.bmp"},        {tex::Barn, "textures/Barn.bmp"}};
constexpr TextureFile kCowTextureFiles[] = {
    {tex::CowSpots, "textures/cowspots.bmp"}, {tex::White, "textures/white.bmp"},
    {tex::Horns, "textures/horns.bmp"},       {tex::CowHide, "textures/cowhide.bmp"}};
