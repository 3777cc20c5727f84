#include "app/game_app.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/phases.h"
#include "app/startup.h"
#include "platform/live_keys.h"
#include "platform/sleep.h"
#include "render/playing_frame.h"
#include "render/screens.h"

namespace {

int elapsedMs() { return glutGet(GLUT_ELAPSED_TIME); }

void fullWindowViewport() { glViewport(0, 0, app.windowWidth, app.windowHeight); }

const PhaseDrawers kLiveDrawers = {drawSplash, drawTitleMap, drawPlayingFrame, fullWindowViewport};

}  // namespace

void displayFrame() {
    beginFrame();
    runPhase(app, kLiveDrawers);
    checkNewGameKey(app);
    checkQuitKey();
    checkFullScreenKey(app, glutFullScreenToggle);
    app.frames.countFrame(elapsedMs(), stdout);
    glutSwapBuffers();
}

void idlePace() {
    int now = elapsedMs();
    if (app.idle.poll(now)) {
        glutPostRedisplay();
        return;
    }
    // The pace rule stays as it is; the wait until the next frame is a sleep
    // instead of a spin, so a waiting game leaves the processor alone.
    sleepMilliseconds(app.idle.msUntilDue(now));
}

void reshapeWindow(int width, int height) {
    app.windowWidth = width;
    app.windowHeight = height;
}

void runHoofbrawl(int argc, char** argv) {
    glutInit(&argc, argv);
    openGameWindow("Hoofbrawl");
    startGame(liveKeys());
    runGameLoop(displayFrame, idlePace);
}
