#include "app/game_app.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/phases.h"
#include "app/startup.h"
#include "platform/data_dir.h"
#include "platform/sleep.h"
#include "platform/window_identity.h"
#include "platform/x11_keys.h"
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
    enterDataDirOrExit();
    glutInit(&argc, argv);
    openGameWindow("Hoofbrawl");
    identifyGameWindow();
    static X11Keys liveKeys;
    startGame(liveKeys);
    runGameLoop(displayFrame, idlePace);
}
