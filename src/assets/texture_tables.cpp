#include "assets/texture_tables.h"

uint32_t splashTexture = 0;
uint32_t tileTextures[kTileTextureSlots] = {};
uint32_t objectTextures[kObjectTextureSlots] = {};
