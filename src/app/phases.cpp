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
        const int solo = state.menuOpen ? -1 : soloKeyOnTitle();
        if ((asyncKeyDown(vk::Space) || solo >= 0) && state.spaceReleased) {
            state.soloLevel = asyncKeyDown(vk::Space) ? -1 : solo;
            state.splitView = false;
            startPlay(state);
        } else if (drawers.titleMenu) {
            drawers.titleMenu();
        }
        break;
    }
    case GamePhase::Playing: {
        const bool pauseKey = asyncKeyDown(vk::P) || asyncKeyDown(vk::Pause);
        const bool pressed = pauseKey && !state.pauseKeyHeld;
        state.pauseKeyHeld = pauseKey;
        if (state.pauseShared) {
            // The other machine has its say: this only asks, and a lost
            // focus asks nothing (see AppState::pauseShared).
            if (pressed)
                state.pauseRequest = state.paused ? AppState::PauseRequest::Resume : AppState::PauseRequest::Pause;
        } else if (pressed) {
            setPaused(state, !state.paused);
        } else if (!state.paused && state.pauseOnFocusLoss && drawers.hasFocus && !drawers.hasFocus()) {
            // Only the loss pauses: the focus coming back leaves the game
            // held until a player resumes it, so nobody is caught off guard.
            setPaused(state, true);
        }
        if (!state.paused) drawers.playingFrame();
        else if (drawers.pausedFrame) drawers.pausedFrame();
        break;
    }
    }
}

void startPlay(AppState& state) {
    state.phase = GamePhase::Playing;
    // A pad's Start is SPACE and the Pause key at once: the press that starts
    // play must be let go before it can pause it.
    state.pauseKeyHeld = true;
    stopSound(SoundId::SplashScreen);
    playSound(SoundId::GameStart);
    playSound(SoundId::Ambient);
}

void setPaused(AppState& state, bool paused) {
    if (paused == state.paused) return;
    state.paused = paused;
    if (paused) pauseAllSounds();
    else resumeAllSounds();
}

bool checkSoundKeys(AppState& state, int& volume, bool& muted) {
    const bool m = asyncKeyDown(vk::M), quieter = asyncKeyDown(vk::Minus), louder = asyncKeyDown(vk::Equals);
    bool changed = false;
    // Any press shows the level, even one that finds it at its end already.
    const bool shown = (m && !state.muteKeyHeld) || (quieter && !state.quieterKeyHeld) ||
                       (louder && !state.louderKeyHeld);
    if (m && !state.muteKeyHeld) {
        muted = !muted;
        changed = true;
    }
    // A volume step while muted unmutes at the new level: the player wants to hear it.
    if (quieter && !state.quieterKeyHeld && (volume > 0 || muted)) {
        if (volume > 0) --volume;
        muted = false;
        changed = true;
    }
    if (louder && !state.louderKeyHeld && (volume < 10 || muted)) {
        if (volume < 10) ++volume;
        muted = false;
        changed = true;
    }
    state.muteKeyHeld = m;
    state.quieterKeyHeld = quieter;
    state.louderKeyHeld = louder;
    if (shown) state.soundLevelFrames = 40;  // two seconds at the game's pace
    else if (state.soundLevelFrames > 0) --state.soundLevelFrames;
    return changed;
}

float soundGain(int volume, bool muted) { return muted ? 0.0f : static_cast<float>(volume) / 10.0f; }

void countWin(AppState& state, bool borisWon, bool horaceWon) {
    if (state.winCounted || (!borisWon && !horaceWon)) return;
    state.winCounted = true;
    ++state.wins[borisWon ? 0 : 1];
}

void newGame(AppState& state) {
    // The ambience plays on through the title, as after any game.
    setPaused(state, false);
    state.winCounted = false;
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
