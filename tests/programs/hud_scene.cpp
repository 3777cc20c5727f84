// The real game, started straight into play with the cows' state set by a
// named scene, so screen tests can see HUD screens that take minutes of play
// to reach: the introduction, hay carried and stored with a held syringe, and
// either cow having won. Runs the real start-up, frame and key handling.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/game_app.h"
#include "app/startup.h"
#include "game/actions.h"
#include "platform/live_keys.h"
#include "ui/hud_state.h"
#include "world/world_grid.h"

namespace {

// Carried hay is stored as soon as its cow stands at home, so a cow that is to
// be seen carrying hay is first moved a few rows out onto open flat ground.
void moveAwayFromHome(Cow& cow) {
    for (int distance = 5; distance < 20; ++distance) {
        for (int sign : {1, -1}) {
            int column = cow.homeColumn;
            int row = cow.homeRow + sign * distance;
            GroundTile* ground = groundAt(column, row);
            if (!ground || (ground->kind != '_' && ground->kind != '.') || objectAt(column, row)) continue;
            float shift = static_cast<float>(sign * distance);
            cow.y += shift;
            cow.prevY += shift;
            cow.groundUnder = ground;
            cow.baseLevel = ground->standLevel;
            cow.jumpBase = ground->standLevel;
            return;
        }
    }
}

bool setScene(const char* scene) {
    Cow& boris = *world.cow1;
    Cow& horace = *world.cow2;
    app.phase = GamePhase::Playing;
    skipIntroduction();
    if (std::strcmp(scene, "intro") == 0) {
        introCallCount = 0;
    } else if (std::strcmp(scene, "regular") == 0 || std::strcmp(scene, "regular2") == 0) {
        // The same counts either way; the syringe is Boris's or, in
        // regular2, Horace's.
        moveAwayFromHome(boris);
        moveAwayFromHome(horace);
        boris.hayCarried = 7;
        boris.hayStored = 23;
        horace.hayCarried = 10;
        horace.hayStored = 49;
        horace.energy = 45.0f;
        (scene[7] == '2' ? horace : boris).heldEffect = slowEffect;
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
    openGameWindow("Hoofbrawl");
    startGame(liveKeys());
    if (!setScene(scene)) {
        std::fprintf(stderr, "unknown scene %s (intro, regular, regular2, win1, win2)\n", scene);
        return 2;
    }
    runGameLoop(displayFrame, idlePace);
}
