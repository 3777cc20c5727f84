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
