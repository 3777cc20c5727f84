#include "app/game_app.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/arenas.h"
#include "app/command_line.h"
#include "app/game_recording.h"
#include "app/headless.h"
#include "app/menu.h"
#include "app/net_match.h"
#include "app/net_play.h"
#include "app/phases.h"
#include "app/replay_store.h"
#include "app/replay_watch.h"
#include "app/settings.h"
#include "app/solo.h"
#include "app/startup.h"
#include "audio/sounds.h"
#include "game/drivers.h"
#include "game/input_source.h"
#include "game/replay.h"
#include "game/step.h"
#include "platform/data_dir.h"
#include "platform/key_names.h"
#include "platform/keys.h"
#include "platform/live_keys.h"
#include "platform/present.h"
#include "platform/sleep.h"
#include "platform/window_identity.h"
#include "render/camera.h"
#include "render/playing_frame.h"
#include "render/screens.h"
#include "ui/hud_state.h"
#include "ui/menu_draw.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

// Milliseconds since start-up, whole, as the pacing rule counts them; from the
// same clock the idle wait sleeps on, so a wait can end on the very
// millisecond a frame is due.
const int64_t startNs = monotonicNanoseconds();
int elapsedMs() { return static_cast<int>((monotonicNanoseconds() - startNs) / 1000000); }

void fullWindowViewport() { glViewport(0, 0, app.windowWidth, app.windowHeight); }

Options runOptions;
SettingsStore settings;
Menu menu;

// Who drives each cow in the window's games; the test programs that run the
// game's frame without choosing drive both from the active key source.
std::unique_ptr<InputSource> cowSource[2];
KeySource* gameKeys = nullptr;
// The drivers of the next game: the command line's, unless the menu chose
// two players at the keys.
std::string nextDrivers[2] = {"keys", "keys"};
// The player's cow in a one-player game (its view fills the window), else -1.
int soloCow = -1;

// A match with a player on another machine, from the command line or the menu.
std::unique_ptr<NetPlay> netPlay;
bool networked() { return netPlay && netPlay->active(); }

// Fresh drivers for each game, so a computer player starts every game from
// its seed: the next game's drivers, or one player (Boris, on either key set
// or any pad) against the computer at the level chosen on the title.
bool makeCowSources(int soloLevel, std::string& error) {
    std::string names[2] = {nextDrivers[kBoris], nextDrivers[kHorace]};
    if (soloLevel >= 0) {
        names[kBoris] = "keys";
        names[kHorace] = soloComputerDriver(soloLevel);
    }
    soloCow = soloPlayerCow(names[kBoris], names[kHorace]);
    std::unique_ptr<InputSource> made[2];
    for (int c = 0; c < 2; ++c) {
        if (c == soloCow) made[c] = std::make_unique<EitherKeysInput>(*gameKeys);
        else made[c] = makeInputSource(names[c], runOptions.seed + static_cast<uint64_t>(c), gameKeys, error);
        if (!made[c]) return false;
    }
    for (int c = 0; c < 2; ++c) cowSource[c] = std::move(made[c]);
    return true;
}

// V in a one-player game: the split view and back, once per press.
void checkViewKey() {
    const bool down = asyncKeyDown('V');
    if (down && !app.viewKeyHeld && soloCow >= 0) app.splitView = !app.splitView;
    app.viewKeyHeld = down;
}

void drawGameView() {
    if (soloCow >= 0 && !app.splitView && !networked())
        drawOnePlayerFrame(app.windowWidth, app.windowHeight, soloCow);
    else
        drawPlayingFrame(app.windowWidth, app.windowHeight);
}

std::string scoreLine() {
    return "Boris " + std::to_string(app.wins[0]) + " \xe2\x80\x93 " + std::to_string(app.wins[1]) + " Horace";
}

// Read each cow's record once, run the step (recording it), then draw what
// it left.
void playingFrame() {
    if (networked()) {
        // The step runs only when lockstep has both records; the frame is
        // drawn either way.
        netPlay->step(liveKeys());
    } else if (cowSource[kBoris] && cowSource[kHorace]) {
        beginRecording(*cowSource[kBoris], *cowSource[kHorace], runOptions.seed);
        StepInput in;
        for (int c = 0; c < 2; ++c) in.cow[c] = cowSource[c]->next(c);
        stepPlayingFrame(in);
        recordStep(in);
    } else {
        stepPlayingFrame(inputsFromActiveKeys());
    }
    countWin(app, world.cow1 && world.cow1->winner, world.cow2 && world.cow2->winner);
    checkViewKey();
    drawGameView();
    if (app.winCounted) {
        fullWindowViewport();
        drawNotice(scoreLine());
    }
}

// The game as it stands, no step. Drawing moves a few things of its own (the
// introduction counts its draws, the hay spins, the camera keys turn the
// view): they are put back, so nothing moves while paused.
void pausedFrame() {
    const int32_t intro = introCallCount;
    const CameraState view = camera;
    drawGameView();
    introCallCount = intro;
    camera = view;
    fullWindowViewport();
    drawPausePanel(networked() ? netPlay->pauseNote() : std::string());
}

bool gameHasFocus() { return keyboardFocused(); }

// The menu's keys: the arrows, Enter and Backspace, each cow's own
// direction, jump and headbutt keys, and any pad's D-pad or stick, A and B.
MenuKeys readMenuKeys() {
    MenuKeys k;
    const CowInput pads = everyPadInput();
    auto any = [](std::initializer_list<uint32_t> keys) {
        for (uint32_t key : keys)
            if (key && asyncKeyDown(key)) return true;
        return false;
    };
    // The arrows steer the menu whatever the cows are given.
    const KeyBindings& b = keyBindings;
    const uint32_t arrows[kCowActionCount] = {vk::Up, vk::Down, vk::Left, vk::Right, 0, 0, 0};
    auto bound = [&](CowAction a) {
        return pads.held(a) || any({b.cow[0].of(a), b.cow[1].of(a), arrows[static_cast<int>(a)]});
    };
    if (menu.typing()) {
        // Letters are typed, not steered with.
        k.up = asyncKeyDown(vk::Up) || pads.held(CowAction::Up);
        k.down = asyncKeyDown(vk::Down) || pads.held(CowAction::Down);
        k.enter = asyncKeyDown(vk::Return) || pads.held(CowAction::Jump);
        k.back = asyncKeyDown(vk::Backspace) || pads.held(CowAction::Attack);
    } else {
        k.up = bound(CowAction::Up);
        k.down = bound(CowAction::Down);
        k.left = bound(CowAction::Left);
        k.right = bound(CowAction::Right);
        k.enter = asyncKeyDown(vk::Return) || bound(CowAction::Jump);
        k.back = asyncKeyDown(vk::Backspace) || bound(CowAction::Attack);
        k.restore = asyncKeyDown(vk::Delete);
    }
    // Every named key is asked only where a key is taken or typed.
    if (menu.isOpen() && (menu.screen() == Menu::Screen::Controls || menu.typing()) && gameKeys)
        k.anyKey = anyKeyDown(*gameKeys);
    return k;
}

void titleMenu() {
    menu.update(readMenuKeys());
    app.menuOpen = menu.isOpen();
    if (app.phase != GamePhase::Title) return;
    if (menu.isOpen()) {
        drawMenu(menu.view(), scoreLine());
    } else {
        drawNotice(scoreLine());
        drawNotice("ENTER: MENU", 0.72f);
    }
}

void applySound() { setSoundGain(soundGain(settings.live().volume, settings.live().muted)); }

// The arena the settings name, or the command line's map for this run.
void chooseArenaPath() {
    if (!runOptions.mapFile.empty()) setMapPath(runOptions.mapFile);
    else if (const Arena* a = findArena(settings.live().arena)) setMapPath(a->file);
}

void rebuildWorld() {
    introCallCount = 0;
    releaseWorld();
    clearLastStepInput();
    readMap();
}

bool computerAvailable() {
    static int known = -1;
    if (known < 0) {
        std::string error;
        known = makeInputSource("computer:normal", 1, nullptr, error) != nullptr;
    }
    return known == 1;
}

int levelIndex(const std::string& level) { return level == "easy" ? 0 : level == "hard" ? 2 : 1; }

void startMode(const std::string& mode) {
    settings.change([&](Settings& s) { s.mode = mode; });
    if (mode == "computer") {
        app.soloLevel = levelIndex(settings.live().computerLevel);
    } else {
        app.soloLevel = -1;
        nextDrivers[kBoris] = nextDrivers[kHorace] = "keys";
    }
    app.splitView = false;
    menu.close();
    startPlay(app);
}

// Hosting or joining from the menu: the same session the command line starts.
// Its start-up test match runs on an empty world, so the title's world is
// read again after it.
void startNetworkFromMenu(Options options) {
    std::string error;
    releaseWorld();
    clearLastStepInput();
    netPlay = startNetPlay(options, error);
    rebuildWorld();
    if (!netPlay) std::fprintf(stderr, "hoofbrawl: %s\n", error.c_str());
}

void hostFromMenu() {
    if (networked()) return;
    Options options = runOptions;
    options.hostPort = 0;
    options.joinAddress.clear();
    // The arena chosen in the menu is the one both play.
    options.mapFile = mapPath();
    startNetworkFromMenu(options);
}

void joinFromMenu(const std::string& address) {
    if (networked()) return;
    Options options = runOptions;
    options.hostPort = -1;
    options.joinAddress = address;
    startNetworkFromMenu(options);
}

// Leaving a replay watched from the menu: back to the title with the arena's world.
void replayWatched() {
    rebuildWorld();
    app.phase = GamePhase::Title;
    glutDisplayFunc(displayFrame);
}

void stepValue(std::string& value, const std::vector<std::string>& values, int by) {
    size_t i = 0;
    while (i < values.size() && values[i] != value) ++i;
    if (i == values.size()) i = 0;
    value = values[(i + values.size() + (by % static_cast<int>(values.size()))) % values.size()];
}

void buildMenu() {
    menu.entries = {
        {"TWO PLAYERS", nullptr, nullptr, nullptr, [] { startMode("two-players"); }},
        {"AGAINST THE COMPUTER", computerAvailable,
         [] {
             std::string l = settings.live().computerLevel;
             for (char& c : l) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
             return "< " + l + " >";
         },
         [](int by) { settings.change([by](Settings& s) { stepValue(s.computerLevel, {"easy", "normal", "hard"}, by); }); },
         [] { startMode("computer"); }},
        {"HOST A GAME", [] { return menuHooks.host && (!menuHooks.hostAvailable || menuHooks.hostAvailable()); },
         nullptr, nullptr,
         [] {
             settings.change([](Settings& s) { s.mode = "host"; });
             menuHooks.host();
         }},
        {"JOIN A GAME", [] { return menuHooks.join && (!menuHooks.joinAvailable || menuHooks.joinAvailable()); },
         [] { return settings.live().address; }, nullptr,
         [] {
             menu.address = settings.live().address;
             menu.openAddress();
         }},
        {"REPLAYS", [] { return static_cast<bool>(menuHooks.watchReplay); }, nullptr, nullptr,
         [] { menu.openReplays(); }},
        {"CONTROLS", nullptr, nullptr, nullptr, [] { menu.openControls(); }},
        {"SOUND", nullptr,
         [] {
             const Settings& s = settings.live();
             return s.muted ? std::string("< MUTED >") : "< " + std::to_string(s.volume) + "/10 >";
         },
         [](int by) {
             const int volume = std::max(0, std::min(kVolumeSteps, settings.live().volume + by));
             settings.change([volume](Settings& s) {
                 s.volume = volume;
                 s.muted = false;
             });
             applySound();
         },
         [] {
             // From the sound as heard: a --mute run unmuted is unmuted.
             const bool muted = !settings.live().muted;
             settings.change([muted](Settings& s) { s.muted = muted; });
             applySound();
         }},
        {"ARENA", nullptr,
         [] {
             if (!runOptions.mapFile.empty())
                 return "< " + std::filesystem::path(runOptions.mapFile).filename().string() + " >";
             std::string name = settings.live().arena;
             for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
             return "< " + name + " >";
         },
         [](int by) {
             std::vector<std::string> names;
             for (const Arena& a : shippedArenas()) names.push_back(a.name);
             // A map from the command line gives way to the shipped ones.
             if (!runOptions.mapFile.empty()) {
                 runOptions.mapFile.clear();
                 by = 0;
             }
             settings.change([&](Settings& s) { stepValue(s.arena, names, by); });
             chooseArenaPath();
             rebuildWorld();
         },
         nullptr},
        {"QUIT", nullptr, nullptr, nullptr, [] { std::exit(0); }},
    };
    // Enter on the arena steps it too: a pad has no left and right to spare.
    menu.entries[7].choose = [] { menu.entries[7].adjust(1); };
    // The menu opens on the mode played last.
    const std::string& last = settings.live().mode;
    menu.select(last == "computer" ? 1 : last == "host" ? 2 : last == "join" ? 3 : 0);
    menu.bindings = [] { return keyBindings; };
    menu.bindingsChanged = [](const KeyBindings& b) {
        keyBindings = b;
        settings.change([&](Settings& s) { s.bindings = b; });
    };
    menu.addressChosen = [](const std::string& address) {
        settings.change([&](Settings& s) {
            s.address = address;
            s.mode = "join";
        });
        menu.close();
        if (menuHooks.join) menuHooks.join(address);
    };
    menu.listReplays = [] { return listReplayFiles(replayDirectory()); };
    menu.replayChosen = [](const std::string& path) {
        menu.close();
        if (menuHooks.watchReplay) menuHooks.watchReplay(path);
    };
}

void toggleFullScreen() {
    glutFullScreenToggle();
    const bool full = !settings.live().fullScreen;
    settings.change([full](Settings& s) { s.fullScreen = full; });
}

void checkSoundKeysNow() {
    // An address being typed takes its letters; M is one of them.
    if (app.phase == GamePhase::Title && menu.typing()) return;
    int volume = settings.live().volume;
    bool muted = settings.live().muted;
    if (checkSoundKeys(app, volume, muted)) {
        settings.change([&](Settings& s) {
            s.volume = volume;
            s.muted = muted;
        });
        applySound();
    }
}

void drawSoundLevel() {
    if (app.soundLevelFrames <= 0) return;
    const Settings& s = settings.live();
    fullWindowViewport();
    drawNotice(s.muted ? std::string("SOUND MUTED") : "VOLUME " + std::to_string(s.volume) + "/10", 0.6f);
}

// N ends the game's replay before the world it describes is read afresh.
void checkNewGameKeyRecorded() {
    if (!asyncKeyDown(vk::N)) return;
    endRecording(GameEnd::NewGame);
    newGame(app);
}

void windowClosing() { setEndAtExit(GameEnd::WindowClosed); }

// The title screen; the one-player keys give way to the open menu's key line.
void drawTitle() { drawTitleMap(!app.menuOpen); }

const PhaseDrawers kLiveDrawers = {drawSplash, drawTitle, playingFrame, fullWindowViewport,
                                   pausedFrame, gameHasFocus, titleMenu};
// For a splash frame whose picture the back buffer still holds.
void splashAlreadyDrawn() {}
const PhaseDrawers kHeldSplashDrawers = {splashAlreadyDrawn, drawTitle, playingFrame, fullWindowViewport,
                                         pausedFrame, gameHasFocus, titleMenu};

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
    checkSoundKeysNow();
    if (netPlay) netPlay->beforeFrame(app);
    // A game with another machine is paused on both or on neither: this
    // side's keys only ask, and the answer comes from the network side.
    app.pauseShared = networked();
    runPhase(app, held ? kHeldSplashDrawers : kLiveDrawers);
    if (networked()) netPlay->sharePause(app);
    if (netPlay && app.phase != GamePhase::Splash) netPlay->draw(app);
    if (!held) drawSoundLevel();
    if (before != GamePhase::Playing && app.phase == GamePhase::Playing && gameKeys && !networked()) {
        std::string error;
        if (!makeCowSources(app.soloLevel, error)) {
            std::fprintf(stderr, "hoofbrawl: %s\n", error.c_str());
            std::exit(2);
        }
    }
    // SPACE starts play from the open menu too; the next title starts plain.
    if (before == GamePhase::Title && app.phase == GamePhase::Playing) menu.close();
    if (app.phase != GamePhase::Playing) armRecording();
    if (networked())
        netPlay->checkRematchKey(app);
    else
        checkNewGameKeyRecorded();
    // Back on the title, SPACE starts the game the command line asked for.
    if (before == GamePhase::Playing && app.phase == GamePhase::Title) {
        nextDrivers[kBoris] = runOptions.driver[kBoris];
        nextDrivers[kHorace] = runOptions.driver[kHorace];
        app.soloLevel = -1;
    }
    checkQuitKey();
    checkFullScreenKey(app, toggleFullScreen);
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
    runOptions = parsed.options;
    const Options& options = runOptions;
    // Checking a replay and a headless match need no window and no sound;
    // checking a replay needs no data directory either.
    if (!options.checkReplayFile.empty()) std::exit(checkReplayCommand(options.checkReplayFile, stdout, stderr));
    const bool network = options.hostPort >= 0 || !options.joinAddress.empty();
    if (options.headless && !network) std::exit(runHeadless(options, program));
    if (!options.replayFile.empty()) openReplayOrExit(options.replayFile);
    // The map is named from where the game was started, before the data
    // directory becomes the working directory.
    if (!runOptions.mapFile.empty()) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(runOptions.mapFile, ec);
        if (!ec) runOptions.mapFile = absolute.string();
    }

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
    }
    // ESC and a closed window end the process through exit: the other
    // player hears of it at once rather than after ten silent seconds.
    std::atexit([] {
        if (netPlay) netPlay->quit();
    });
    std::vector<char*> glutArgv;
    for (const std::string& a : options.glutArgs) glutArgv.push_back(const_cast<char*>(a.c_str()));
    glutArgv.push_back(nullptr);
    int glutArgc = static_cast<int>(options.glutArgs.size());
    glutInit(&glutArgc, glutArgv.data());
    openGameWindow("Hoofbrawl");
    identifyGameWindow();
    KeySource& keys = liveKeys();
    if (!options.replayFile.empty()) watchReplay(keys, glutFullScreenToggle);
    setUpPlayerShell(keys);
    setRecordingEnabled(true);
    glutCloseFunc(windowClosing);
    startGame(keys);
    applySound();
    if (settings.live().fullScreen) glutFullScreen();
    runGameLoop(displayFrame, idlePace);
}

void setUpPlayerShell(KeySource& keys) {
    settings.load(settingsPath());
    keyBindings = settings.live().bindings;
    if (runOptions.fullScreen >= 0) settings.live().fullScreen = runOptions.fullScreen == 1;
    if (runOptions.mute) settings.live().muted = true;
    chooseArenaPath();
    gameKeys = &keys;
    nextDrivers[kBoris] = runOptions.driver[kBoris];
    nextDrivers[kHorace] = runOptions.driver[kHorace];
    std::string error;
    if (!makeCowSources(-1, error)) {
        std::fprintf(stderr, "hoofbrawl: %s\n", error.c_str());
        std::exit(2);
    }
    buildMenu();
    menuHooks.host = hostFromMenu;
    menuHooks.join = joinFromMenu;
    menuHooks.hostAvailable = [] { return !networked(); };
    menuHooks.joinAvailable = [] { return !networked(); };
    menuHooks.watchReplay = [](const std::string& path) {
        if (!watchReplayFromMenu(path, replayWatched)) std::fprintf(stderr, "%s: cannot be watched\n", path.c_str());
    };
}
