// The display loop's phase machine and its end-of-frame keys, apart from GLUT
// so that a test can run it frame by frame with scripted keys.
#pragma once

#include "app/app_state.h"

struct PhaseDrawers {
    void (*drawSplash)();
    void (*drawTitle)();
    void (*playingFrame)();
    void (*fullWindowViewport)();
    // The playing frame as it stands, drawn without a step, with the pause
    // panel over it. Null: nothing is drawn while paused.
    void (*pausedFrame)() = nullptr;
    // Whether the keyboard reaches the game now. Null: it always does.
    bool (*hasFocus)() = nullptr;
    // The title's menu, after the title is drawn, while SPACE has not
    // started play. Null: no menu.
    void (*titleMenu)() = nullptr;
};

// Step 3 of a displayed frame: the work of the current phase and its transition.
void runPhase(AppState& state, const PhaseDrawers& drawers);

// Title to Playing, as SPACE does it: the intro tune stops, the start jingle
// and the ambience begin.
void startPlay(AppState& state);

// Holds or resumes a playing game, sounds included.
void setPaused(AppState& state, bool paused);

// M mutes and unmutes, - and = step the volume by a tenth, in every phase,
// once per press. True when `volume` or `muted` changed (the level is then
// shown for a while).
bool checkSoundKeys(AppState& state, int& volume, bool& muted);
// The listener gain for a volume in tenths.
float soundGain(int volume, bool muted);

// Counts the game's win once, for the running score.
void countWin(AppState& state, bool borisWon, bool horaceWon);

// N: release the world and read the map again; back to the title (the splash
// screen stays if it is showing). Holding N rebuilds in every frame.
void checkNewGameKey(AppState& state);
void newGame(AppState& state);
// ESC ends the process at once with status 1.
void checkQuitKey();
// F11 toggles full screen in every phase, once per press: a held key is one
// toggle, not one per frame.
void checkFullScreenKey(AppState& state, void (*toggleFullScreen)());
