#include "app/phases.h"

#include <cstdlib>

#include "app/solo.h"
#include "audio/sounds.h"
#include "game/step.h"
#include "platform/keys.h"
#include "ui/hud_state.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

void runPhase(AppState& state, const PhaseDrawers& drawers) {
    switch (state.phase) {
    case GamePhase::Splash:
        drawers.drawSplash();
        drawers.fullWindowViewport();
        if (asyncKeyDown(vk::Space)) state.phase = GamePhase::Title;
        break;
    case GamePhase::Title: {
        drawers.fullWindowViewport();
        drawers.drawTitle();
        if (!asyncKeyDown(vk::Space)) state.spaceReleased = true;
        // SPACE: two players. 1, 2, 3: one player against the computer at
        // easy, normal, hard (the keys start nothing else on the title).
        const int solo = soloKeyOnTitle();
        if ((asyncKeyDown(vk::Space) || solo >= 0) && state.spaceReleased) {
            state.soloLevel = asyncKeyDown(vk::Space) ? -1 : solo;
            state.splitView = false;
            state.phase = GamePhase::Playing;
            stopSound(SoundId::SplashScreen);
            playSound(SoundId::GameStart);
            playSound(SoundId::Ambient);
        }
        break;
    }
    case GamePhase::Playing:
        drawers.playingFrame();
        break;
    }
}

void newGame(AppState& state) {
    introCallCount = 0;
    releaseWorld();
    clearLastStepInput();
    if (state.phase != GamePhase::Splash) state.phase = GamePhase::Title;
    readMap();
}

void checkNewGameKey(AppState& state) {
    if (asyncKeyDown(vk::N)) newGame(state);
}

void checkQuitKey() {
    if (asyncKeyDown(vk::Escape)) std::exit(1);
}

void checkFullScreenKey(AppState& state, void (*toggleFullScreen)()) {
    const bool down = asyncKeyDown(vk::F11);
    if (down && !state.fullScreenKeyHeld) toggleFullScreen();
    state.fullScreenKeyHeld = down;
}
