// Small helpers the model files share.
#pragma once

#include <GL/gl.h>

#include "assets/texture_tables.h"

inline void bindObjectTexture(int slot) { glBindTexture(GL_TEXTURE_2D, objectTextures[slot]); }
