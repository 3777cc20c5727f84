// The display loop's phase machine and its end-of-frame keys, apart from GLUT
// so that a test can run it frame by frame with scripted keys.
#pragma once

#include "app/app_state.h"

struct PhaseDrawers {
    void (*drawSplash)();
    void (*drawTitle)();
    void (*playingFrame)();
    void (*fullWindowViewport)();
};

// Step 3 of a displayed frame: the work of the current phase and its transition.
void runPhase(AppState& state, const PhaseDrawers& drawers);

// N: release the world and read the map again; back to the title (the splash
// screen stays if it is showing). Holding N rebuilds in every frame.
void checkNewGameKey(AppState& state);
void newGame(AppState& state);
// ESC ends the process at once with status 1.
void checkQuitKey();
// F11 toggles full screen in every phase, once per press: a held key is one
// toggle, not one per frame.
void checkFullScreenKey(AppState& state, void (*toggleFullScreen)());
