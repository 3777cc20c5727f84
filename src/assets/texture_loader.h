#pragma once

#include <cstdint>

// Reads a BMP into a mipmapped texture in table[slot]; false (slot unchanged)
// for an empty name or an unreadable file.
bool loadTexture(const char* fileName, uint32_t* table, int slot);

void loadSplashTexture();
void loadTileTextures();
void loadObjectTextures();
void loadCowTextures();
