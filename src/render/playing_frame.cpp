#include "render/playing_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "game/cow.h"
#include "game/step.h"
#include "render/camera.h"
#include "render/world_passes.h"
#include "ui/hud.h"
#include "world/world_grid.h"

ViewportRect rightViewport(int w, int h) { return {w / 2 + 2, 0, w / 2, h}; }
ViewportRect leftViewport(int w, int h) { return {0, 0, w / 2 - 2, h}; }

float halfAspect(int w, int h) {
    // A window squeezed to no height would divide by zero; one row is as good.
    return static_cast<float>(w / 2) / static_cast<float>(h > 0 ? h : 1);
}

namespace {

// Brackets one pass of a half for the benchmark's counters; nothing in the game.
void beginPass(FramePass pass) {
    if (framePassHook) framePassHook(pass, true);
}
void endPass(FramePass pass) {
    if (framePassHook) framePassHook(pass, false);
}

// The volume the current projection and modelview can see, in the
// modelview's coordinates.
ViewVolume currentViewVolume() {
    double p[16] = {}, m[16] = {}, clip[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += p[4 * k + r] * m[4 * c + k];
            clip[4 * c + r] = sum;
        }
    return viewVolumeOf(clip);
}

void drawHalf(Cow& cow, const ViewportRect& rect, float aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // While the help key is held the projection stays identity: the help
    // panel is laid out in normalised device coordinates.
    if (!helpHeld(cow))
        gluPerspective(camera.fieldOfView, aspect, 1.0, 1000.0);
    glViewport(rect.x, rect.y, rect.width, rect.height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glDisable(GL_CULL_FACE);
    beginPass(FramePass::Hud);
    drawHud(cow);
    endPass(FramePass::Hud);
    glEnable(GL_CULL_FACE);

    // The beams are drawn only with the scene, in both halves alike: under the
    // help panel's identity transforms they would land at cell coordinates
    // and show as stray shapes over the panel.
    if (helpHeld(cow)) return;
    placeCamera(cow);
    glScalef(-1.0f, 1.0f, 1.0f);
    const ViewVolume view = currentViewVolume();
    beginPass(FramePass::Cows);
    drawCows(&view);
    endPass(FramePass::Cows);
    glNormal3f(0.0f, 0.0f, 1.0f);
    beginPass(FramePass::Ground);
    drawGround(cow);
    endPass(FramePass::Ground);
    beginPass(FramePass::Objects);
    drawObjects(cow, &view);
    endPass(FramePass::Objects);
    beginPass(FramePass::Beams);
    drawCowMarkers();
    endPass(FramePass::Beams);
}

}  // namespace

void (*framePassHook)(FramePass pass, bool begin) = nullptr;

void drawPlayingFrame(int windowWidth, int windowHeight) {
    if (!world.cow1 || !world.cow2) return;  // no world read: nothing to play
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float aspect = halfAspect(windowWidth, windowHeight);
    drawHalf(*world.cow1, rightViewport(windowWidth, windowHeight), aspect);
    drawHalf(*world.cow2, leftViewport(windowWidth, windowHeight), aspect);
    handleCameraKeys();
}

void drawOnePlayerFrame(int windowWidth, int windowHeight, int cowIndex) {
    if (!world.cow1 || !world.cow2) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float aspect = static_cast<float>(windowWidth) / static_cast<float>(windowHeight > 0 ? windowHeight : 1);
    drawHalf(cowIndex == kHorace ? *world.cow2 : *world.cow1, {0, 0, windowWidth, windowHeight}, aspect);
    handleCameraKeys();
}
