// PLACEHOLDER(images): texture loading. To be written in full.
#include "assets/texture_loader.h"

bool loadTexture(const char*, uint32_t*, int) { return false; }
void loadSplashTexture() {}
void loadTileTextures() {}
void loadObjectTextures() {}
void loadCowTextures() {}
