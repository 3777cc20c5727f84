// The real game, started straight into play with the cows' state set by a
// named scene, so screen tests can see HUD screens that take minutes of play
// to reach: the introduction, hay carried and stored with a held syringe, and
// either cow having won. Runs the real start-up, frame and key handling.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/game_app.h"
#include "game/actions.h"
#include "platform/x11_keys.h"
#include "ui/hud_state.h"
#include "world/world_grid.h"

namespace {

bool setScene(const char* scene) {
    Cow& boris = *world.cow1;
    Cow& horace = *world.cow2;
    app.phase = GamePhase::Playing;
    introCallCount = 200;
    if (std::strcmp(scene, "intro") == 0) {
        introCallCount = 0;
    } else if (std::strcmp(scene, "regular") == 0) {
        boris.hayCarried = 7;
        boris.hayStored = 23;
        boris.heldEffect = slowEffect;
        horace.hayCarried = 10;
        horace.hayStored = 59;
    } else if (std::strcmp(scene, "win1") == 0) {
        boris.winner = 1;
    } else if (std::strcmp(scene, "win2") == 0) {
        horace.winner = 1;
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    const char* scene = argc > 1 ? argv[1] : "regular";
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Hoofbrawl");
    static X11Keys liveKeys;
    setKeySource(&liveKeys);
    initGame();
    if (!setScene(scene)) {
        std::fprintf(stderr, "unknown scene %s (intro, regular, win1, win2)\n", scene);
        return 2;
    }
    glutDisplayFunc(displayFrame);
    glutIdleFunc(idlePace);
    glutReshapeFunc(reshapeWindow);
    glutMainLoop();
}
