#include "app/replay_watch.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/app_state.h"
#include "app/game_app.h"
#include "app/phases.h"
#include "app/startup.h"
#include "audio/sounds.h"
#include "game/game_digest.h"
#include "game/replay.h"
#include "game/step.h"
#include "platform/keys.h"
#include "platform/sleep.h"
#include "render/playing_frame.h"
#include "ui/fonts.h"
#include "world/world_grid.h"

namespace {

struct Watching {
    std::string path;
    Replay replay;
    std::shared_ptr<ReplayCursor> cursor;
    std::unique_ptr<InputSource> cow[2];
    void (*toggleFullScreen)() = nullptr;
    bool paused = false;
    bool spaceHeld = false;
    size_t nextDigest = 0;
    bool differed = false;
    int64_t startNs = 0;
    // Watching from the game's menu: where to go back to, once the keys
    // that leave are let go (else the game would take them too).
    void (*done)() = nullptr;
    bool leaving = false;
};
Watching watching;

// One line across the top of the window, over both halves.
void drawReplayBanner(const char* text) {
    glViewport(0, 0, app.windowWidth, app.windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    const float scale = 0.0005f;
    glTranslatef(-textAdvance(text) * scale / 2, 0.9f, -1.0f);
    glScalef(scale, scale * app.windowWidth / app.windowHeight, 0.0f);
    drawText(text);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
}

// Runs the steps this frame shows, comparing the stored digests on the way:
// a difference is said once on standard error and the replay plays on.
void stepReplay(int steps) {
    const std::vector<ReplayDigest>& digests = watching.replay.digests;
    for (int i = 0; i < steps && !watching.cursor->atEnd(); ++i) {
        StepInput in;
        for (int c = 0; c < 2; ++c) in.cow[c] = watching.cow[c]->next(c);
        stepPlayingFrame(in);
        const int64_t done = watching.cursor->step();
        if (watching.nextDigest < digests.size() && digests[watching.nextDigest].step == done) {
            if (!watching.differed && digestGameState() != digests[watching.nextDigest].digest) {
                watching.differed = true;
                std::fprintf(stderr, "%s: differs from the recorded game at step %lld\n", watching.path.c_str(),
                             static_cast<long long>(done));
            }
            ++watching.nextDigest;
        }
    }
}

void replayDisplayFrame() {
    beginFrame();
    const bool space = asyncKeyDown(vk::Space);
    if (space && !watching.spaceHeld) watching.paused = !watching.paused;
    watching.spaceHeld = space;
    stepReplay(watching.paused ? 0 : asyncKeyDown(vk::Right) ? 4 : 1);
    drawPlayingFrame(app.windowWidth, app.windowHeight);
    if (watching.cursor->atEnd()) {
        const Replay& r = watching.replay;
        const std::string line = std::string("END OF THE REPLAY (") +
                                 (r.finished ? gameEndName(r.ending.how) : "cut short") + "): ESC OR N";
        drawReplayBanner(line.c_str());
    } else if (watching.paused) {
        drawReplayBanner("PAUSED: SPACE");
    }
    const bool leaveKey = asyncKeyDown(vk::Escape) || asyncKeyDown(vk::N);
    if (leaveKey && !watching.done) std::exit(0);
    if (leaveKey) watching.leaving = true;
    if (watching.leaving && !leaveKey) {
        watching.leaving = false;
        watching.cursor.reset();
        for (auto& c : watching.cow) c.reset();
        glutSwapBuffers();
        watching.done();
        return;
    }
    checkFullScreenKey(app, watching.toggleFullScreen);
    app.frames.countFrame(static_cast<int>((monotonicNanoseconds() - watching.startNs) / 1000000), stdout);
    glutSwapBuffers();
}

}  // namespace

void openReplayOrExit(const std::string& path) {
    ReplayReadResult read = readReplayFile(path);
    std::string error = read.error;
    if (read.ok && !loadReplayMap(read.replay, error)) read.ok = false;
    releaseWorld();
    if (!read.ok) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        std::exit(2);
    }
    watching.path = path;
    watching.replay = std::move(read.replay);
}

namespace {

// The world from the replay's map, the cursor at its first step, straight into play.
void startWatching() {
    std::string error;
    loadReplayMap(watching.replay, error);  // read once already: it cannot fail now
    clearLastStepInput();
    if (digestGameState() != watching.replay.info.startDigest)
        std::fprintf(stderr, "%s: differs from the recorded game at step 0\n", watching.path.c_str());
    watching.cursor = std::make_shared<ReplayCursor>(watching.replay);
    for (int c = 0; c < 2; ++c) watching.cow[c] = std::make_unique<ReplayInput>(watching.cursor);
    watching.paused = false;
    watching.nextDigest = 0;
    watching.differed = false;
    // As SPACE on the title screen starts it.
    app.phase = GamePhase::Playing;
    stopSound(SoundId::SplashScreen);
    playSound(SoundId::GameStart);
    playSound(SoundId::Ambient);
}

}  // namespace

bool watchReplayFromMenu(const std::string& path, void (*done)()) {
    ReplayReadResult read = readReplayFile(path);
    std::string error = read.error;
    if (!read.ok || !loadReplayMap(read.replay, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    watching.path = path;
    watching.replay = std::move(read.replay);
    watching.done = done;
    watching.toggleFullScreen = glutFullScreenToggle;
    watching.leaving = false;
    watching.spaceHeld = true;  // the key that chose it is not a pause
    watching.startNs = monotonicNanoseconds();
    startWatching();
    glutDisplayFunc(replayDisplayFrame);
    return true;
}

void watchReplay(KeySource& keys, void (*toggleFullScreen)()) {
    watching.startNs = monotonicNanoseconds();
    watching.toggleFullScreen = toggleFullScreen;
    startGame(keys);
    startWatching();
    runGameLoop(replayDisplayFrame, idlePace);
}
