#include "assets/texture_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/bmp_reader.h"
#include "assets/texture_tables.h"

bool loadTexture(const char* fileName, uint32_t* table, int slot) {
    if (!fileName || !*fileName) return false;
    std::unique_ptr<RgbImage> image = loadBmpImage(fileName);
    if (!image) return false;  // the reader has shown its message
    GLuint name = 0;
    glGenTextures(1, &name);
    table[slot] = name;
    glBindTexture(GL_TEXTURE_2D, name);
    // The reader's rows are tightly packed, not 4-byte aligned as OpenGL
    // assumes by default: a width whose 3 x width is not a multiple of 4 would
    // otherwise be read skewed and past the end of the pixels.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return true;
}

namespace {

template <size_t N>
void loadList(const TextureFile (&list)[N], uint32_t* table) {
    for (const TextureFile& entry : list) loadTexture(entry.file, table, entry.slot);
}

}  // namespace

void loadSplashTexture() { loadTexture(kSplashTextureFile, &splashTexture, 0); }
void loadTileTextures() { loadList(kTileTextureFiles, tileTextures); }
void loadObjectTextures() { loadList(kObjectTextureFiles, objectTextures); }
void loadCowTextures() { loadList(kCowTextureFiles, objectTextures); }
