#include "app/game_app.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/game_recording.h"
#include "app/headless.h"
#include "app/net_match.h"
#include "app/net_play.h"
#include "app/phases.h"
#include "app/replay_watch.h"
#include "app/solo.h"
#include "app/startup.h"
#include "game/drivers.h"
#include "game/input_source.h"
#include "game/replay.h"
#include "game/step.h"
#include "platform/data_dir.h"
#include "platform/keys.h"
#include "platform/live_keys.h"
#include "platform/present.h"
#include "platform/sleep.h"
#include "platform/window_identity.h"
#include "render/playing_frame.h"
#include "render/screens.h"

namespace {

// Milliseconds since start-up, whole, as the pacing rule counts them; from the
// same clock the idle wait sleeps on, so a wait can end on the very
// millisecond a frame is due.
const int64_t startNs = monotonicNanoseconds();
int elapsedMs() { return static_cast<int>((monotonicNanoseconds() - startNs) / 1000000); }

void fullWindowViewport() { glViewport(0, 0, app.windowWidth, app.windowHeight); }

// Who drives each cow in the window's games; the test programs that run the
// game's frame without choosing drive both from the active key source.
std::unique_ptr<InputSource> cowSource[2];
// The player's cow in a one-player game (its view fills the window), else -1.
int soloCow = -1;
const Options* gameOptions = nullptr;
KeySource* gameKeys = nullptr;

// Fresh drivers for each game, so a computer player starts every game from
// its seed: the command line's, or the title's choice of one player (Boris,
// on either key set) against the computer.
bool makeCowSources(int soloLevel, std::string& error) {
    std::string names[2] = {gameOptions->driver[kBoris], gameOptions->driver[kHorace]};
    if (soloLevel >= 0) {
        names[kBoris] = "keys";
        names[kHorace] = soloComputerDriver(soloLevel);
    }
    soloCow = soloPlayerCow(names[kBoris], names[kHorace]);
    for (int c = 0; c < 2; ++c) {
        if (c == soloCow) cowSource[c] = std::make_unique<EitherKeysInput>(*gameKeys);
        else cowSource[c] = makeInputSource(names[c], gameOptions->seed + static_cast<uint64_t>(c), gameKeys, error);
        if (!cowSource[c]) return false;
    }
    return true;
}

// V in a one-player game: the split view and back, once per press.
void checkViewKey() {
    const bool down = asyncKeyDown('V');
    if (down && !app.viewKeyHeld && soloCow >= 0) app.splitView = !app.splitView;
    app.viewKeyHeld = down;
}

// A match with a player on another machine, when the command line asks for one.
std::unique_ptr<NetPlay> netPlay;

// Read each cow's record once, run the step (recording it), then draw what
// it left.
void playingFrame() {
    if (netPlay && netPlay->active()) {
        // The step runs only when lockstep has both records; the frame is
        // drawn either way.
        netPlay->step(liveKeys());
        drawPlayingFrame(app.windowWidth, app.windowHeight);
        return;
    }
    StepInput in;
    if (cowSource[kBoris] && cowSource[kHorace]) {
        beginRecording(*cowSource[kBoris], *cowSource[kHorace], gameOptions ? gameOptions->seed : 1);
        for (int c = 0; c < 2; ++c) in.cow[c] = cowSource[c]->next(c);
        stepPlayingFrame(in);
        recordStep(in);
    } else {
        stepPlayingFrame(inputsFromActiveKeys());
    }
    checkViewKey();
    if (soloCow >= 0 && !app.splitView) drawOnePlayerFrame(app.windowWidth, app.windowHeight, soloCow);
    else drawPlayingFrame(app.windowWidth, app.windowHeight);
}

// N ends the game's replay before the world it describes is read afresh.
void checkNewGameKeyRecorded() {
    if (!asyncKeyDown(vk::N)) return;
    endRecording(GameEnd::NewGame);
    newGame(app);
}

void windowClosing() { setEndAtExit(GameEnd::WindowClosed); }

const PhaseDrawers kLiveDrawers = {drawSplash, drawTitleMap, playingFrame, fullWindowViewport};

// For a splash frame whose picture the back buffer still holds.
void splashAlreadyDrawn() {}
const PhaseDrawers kHeldSplashDrawers = {splashAlreadyDrawn, drawTitleMap, playingFrame, fullWindowViewport};

}  // namespace

void displayFrame() {
    // The splash is shown by copying the back buffer out where the renderer
    // allows it, so the back buffer keeps it and later splash frames need not
    // draw it again: the same pixels for next to no work. Anything else, and
    // any splash the back buffer does not hold, is drawn and swapped as ever.
    // The renderer notices a new window size only at a swap: the first frame
    // at a size is swapped, so the back buffer copied out later has that size.
    static int shownWidth = 0, shownHeight = 0;
    const bool sameSize = app.windowWidth == shownWidth && app.windowHeight == shownHeight;
    const bool splash = app.phase == GamePhase::Splash;
    const bool held = splash && sameSize && splashHeldInBackBuffer();
    if (!held) beginFrame();
    const GamePhase before = app.phase;
    if (netPlay) netPlay->beforeFrame(app);
    runPhase(app, held ? kHeldSplashDrawers : kLiveDrawers);
    if (netPlay && app.phase != GamePhase::Splash) netPlay->draw(app);
    if (before != GamePhase::Playing && app.phase == GamePhase::Playing && gameOptions && !(netPlay && netPlay->active())) {
        std::string error;
        if (!makeCowSources(app.soloLevel, error)) {
            std::fprintf(stderr, "Hoofbrawl: %s\n", error.c_str());
            std::exit(2);
        }
    }
    if (app.phase != GamePhase::Playing) armRecording();
    if (netPlay && netPlay->active())
        netPlay->checkRematchKey(app);
    else
        checkNewGameKeyRecorded();
    checkQuitKey();
    checkFullScreenKey(app, glutFullScreenToggle);
    app.frames.countFrame(elapsedMs(), stdout);
    const bool byCopy = splash && sameSize && canShowByCopy();
    if (splash) splashShown(byCopy);
    if (byCopy) showByCopy(app.windowWidth, app.windowHeight);
    else glutSwapBuffers();
    shownWidth = app.windowWidth;
    shownHeight = app.windowHeight;
}

void idlePace() {
    int now = elapsedMs();
    if (app.idle.poll(now)) {
        glutPostRedisplay();
        return;
    }
    // The pace rule stays as it is; the wait until the next frame is a sleep
    // instead of a spin, so a waiting game leaves the processor alone. It
    // sleeps to the instant the due millisecond begins rather than for a
    // count of milliseconds from a truncated now, which woke up to a
    // millisecond late and put one frame in four at 52 ms.
    const int64_t dueNs = startNs + static_cast<int64_t>(app.idle.dueMs()) * 1000000;
    if (netPlay) {
        // The network is served between frames too, in short naps.
        netPlay->service();
        sleepUntil(std::min(dueNs, monotonicNanoseconds() + 3000000));
        return;
    }
    sleepUntil(dueNs);
}

void reshapeWindow(int width, int height) {
    app.windowWidth = width;
    app.windowHeight = height;
}

void runHoofbrawl(int argc, char** argv) {
    const char* program = argc > 0 ? argv[0] : "hoofbrawl";
    const ParseResult parsed = parseCommandLine(argc, argv);
    const int status = answerCommandLine(parsed, program, stdout, stderr);
    if (status >= 0) std::exit(status);
    const Options& options = parsed.options;
    // Checking a replay and a headless match need no window and no sound;
    // checking a replay needs no data directory either.
    if (!options.checkReplayFile.empty()) std::exit(checkReplayCommand(options.checkReplayFile, stdout, stderr));
    const bool networked = options.hostPort >= 0 || !options.joinAddress.empty();
    if (options.headless && !networked) std::exit(runHeadless(options, program));
    if (!options.replayFile.empty()) openReplayOrExit(options.replayFile);

    enterDataDirOrExit();
    if (options.headless) {
        // The rules print a word when a syringe takes effect; standard
        // output carries only "Hosting on port N" and the result line.
        std::fflush(stdout);
        const int saved = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, STDOUT_FILENO);
        std::FILE* out = saved >= 0 ? fdopen(saved, "w") : stdout;
        const int code = runNetworkMatchHeadless(options, out, stderr);
        std::fflush(out);
        std::exit(code);
    }
    // Before the window: an address that cannot be used is said without one.
    {
        std::string error;
        netPlay = startNetPlay(options, error);
        if (!netPlay && !error.empty()) {
            std::fprintf(stderr, "%s: %s\n", program, error.c_str());
            std::exit(2);
        }
        // ESC and a closed window end the process through exit: the other
        // player hears of it at once rather than after ten silent seconds.
        if (netPlay) std::atexit([] {
            if (netPlay) netPlay->quit();
        });
    }
    std::vector<char*> glutArgv;
    for (const std::string& a : options.glutArgs) glutArgv.push_back(const_cast<char*>(a.c_str()));
    glutArgv.push_back(nullptr);
    int glutArgc = static_cast<int>(options.glutArgs.size());
    glutInit(&glutArgc, glutArgv.data());
    openGameWindow("Hoofbrawl");
    identifyGameWindow();
    KeySource& keys = liveKeys();
    if (!options.replayFile.empty()) watchReplay(keys, glutFullScreenToggle);
    gameOptions = &options;
    gameKeys = &keys;
    std::string error;
    if (!makeCowSources(-1, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        std::exit(2);
    }
    setRecordingEnabled(true);
    glutCloseFunc(windowClosing);
    startGame(keys);
    runGameLoop(displayFrame, idlePace);
}
