// What the models draw with: the few GL calls they use, under short names.
//
// Each call goes straight to GL, except while a fixed part of a model is
// being recorded (drawRecorded). Then the transforms are applied to the
// vertices in software and everything else is kept, in order, to be replayed:
// the part is drawn afterwards with the same state changes but with its
// vertices already in place, merged into one draw per run of shapes between
// two state changes. A model's description is thus written once and serves
// both ways.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "assets/texture_tables.h"

struct ShapeMesh;

namespace gx {

void pushMatrix();
void popMatrix();
void translate(float x, float y, float z);
void rotate(float angle, float x, float y, float z);
void scale(float x, float y, float z);

void colour(float r, float g, float b);
void colour(float r, float g, float b, float a);
void enable(GLenum capability);
void disable(GLenum capability);
void blendFunc(GLenum source, GLenum destination);
void pushAttrib(GLbitfield mask);
void popAttrib();
// Binds the texture the name holds when drawn (names are made at start-up,
// after a part may first have been recorded).
void bindTexture(const uint32_t* name);
// Any other state change, made when drawn.
void call(void (*change)());

void begin(GLenum mode);
void texCoord(float s, float t);
void vertex(float x, float y, float z);
void end();

void mesh(const ShapeMesh& mesh);

}  // namespace gx

// Texturing takes the texture alone (GL_REPLACE) or times the colour
// (GL_MODULATE, GL's own and what every model assumes). Under a white colour
// the two give the same pixels, and the first spares the software renderer
// the colour in every fragment; a model that turns it on turns it off again
// before it returns.
void textureAloneUnderWhite();
void textureTimesColour();

inline void bindObjectTexture(int slot) { gx::bindTexture(&objectTextures[slot]); }

// Draws a fixed part of a model: a function of gx calls whose transforms are
// balanced (it leaves the matrix as it found it) and whose drawing depends on
// nothing but its argument. The first call records it; later calls replay the
// recording. Inside another recording it simply runs.
void drawRecorded(void (*part)());
void drawRecorded(void (*part)(int), int argument);
// Draws a fixed part through a GL display list compiled at its first call
// (inside a recording it simply runs). Unlike a recording, GL still applies
// the part's own transforms, so every vertex lands bit for bit where the live
// calls put it: for parts whose faces meet face to face and are decided by
// the last bit of depth. The part may leave the matrix changed, as live.
void drawListed(void (*part)());

// How far the farthest vertex of a fixed part lies from the part's origin
// (recording it if it has not been drawn yet): a sphere of that radius holds
// the whole part however it is turned.
float recordedReach(void (*part)());
