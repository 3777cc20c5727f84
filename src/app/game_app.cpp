#include "app/game_app.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "app/phases.h"
#include "assets/texture_loader.h"
#include "audio/sound_table.h"
#include "audio/sounds.h"
#include "platform/data_dir.h"
#include "platform/sleep.h"
#include "platform/window_identity.h"
#include "platform/x11_keys.h"
#include "render/camera.h"
#include "render/playing_frame.h"
#include "render/screens.h"
#include "ui/fonts.h"
#include "world/map_reader.h"

namespace {

int elapsedMs() { return glutGet(GLUT_ELAPSED_TIME); }

void fullWindowViewport() { glViewport(0, 0, app.windowWidth, app.windowHeight); }

const PhaseDrawers kLiveDrawers = {drawSplash, drawTitleMap, drawPlayingFrame, fullWindowViewport};

}  // namespace

void initGame() {
    loadSounds();
    createFonts("fonts/arial.ttf");
    initCamera();
    loadSplashTexture();
    loadTileTextures();
    loadObjectTextures();
    loadCowTextures();
    readMap();
    glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    playSound(SoundId::SplashScreen);
}

void displayFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(-1, -1);
    glutCreateWindow("Hoofbrawl");
    identifyGameWindow();
    static X11Keys liveKeys;
    setKeySource(&liveKeys);
    initGame();
    glutDisplayFunc(displayFrame);
    glutIdleFunc(idlePace);
    glutReshapeFunc(reshapeWindow);
    glutMainLoop();
    std::exit(0);
}
