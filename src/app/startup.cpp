#include "app/startup.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/game_app.h"
#include "assets/texture_loader.h"
#include "audio/sound_table.h"
#include "audio/sounds.h"
#include "platform/keys.h"
#include "render/camera.h"
#include "ui/fonts.h"
#include "world/map_reader.h"

void openGameWindow(const char* title, int width, int height) {
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(-1, -1);
    glutCreateWindow(title);
}

void setGameGlState() {
    glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
}

void initGame() {
    loadSounds();
    createFonts("fonts/arial.ttf");
    initCamera();
    loadSplashTexture();
    loadTileTextures();
    loadObjectTextures();
    loadCowTextures();
    readMap();
    setGameGlState();
    playSound(SoundId::SplashScreen);
}

void startGame(KeySource& keys) {
    setKeySource(&keys);
    initGame();
}

void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void runGameLoop(void (*display)(), void (*idle)()) {
    glutDisplayFunc(display);
    if (idle) glutIdleFunc(idle);
    glutReshapeFunc(reshapeWindow);
    glutMainLoop();
    std::exit(0);
}
