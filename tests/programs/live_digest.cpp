// The game's state frame by frame under a fixed script of held keys, through
// the real window's frame (displayFrame: phases, step, drawing, end-of-frame
// keys) or through the headless step alone. One line a playing frame,
// "FRAME DIGEST", so the two runs can be compared line by line.
//
//   live_digest --live FRAMES [--record FILE]   (in the data directory, under X)
//   live_digest --headless FRAMES               (in the data directory)
//
// The script holds moving keys for stretches, taps jumps and headbutts, and
// holds one or both help keys in some stretches (both held, nobody's level is
// refreshed). --record writes the live run's replay, for --check-replay.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "app/game_app.h"
#include "app/startup.h"
#include "game/game_digest.h"
#include "game/replay.h"
#include "game/step.h"
#include "platform/keys.h"
#include "world/map_reader.h"

namespace {

ScriptedKeys keys;

// The keys held in playing frame `f`.
void scriptFrame(int f) {
    keys.releaseAll();
    static const uint32_t moves[2][4] = {{vk::Up, vk::Down, vk::Left, vk::Right}, {vk::W, vk::S, vk::A, vk::D}};
    for (int c = 0; c < 2; ++c) {
        // A direction held for a stretch of 23 or 31 frames, sometimes two.
        const int stretch = f / (c ? 31 : 23);
        const uint32_t h = static_cast<uint32_t>(stretch * 2654435761u + c * 40503u);
        keys.press(moves[c][h % 4]);
        if ((h >> 8) % 3 == 0) keys.press(moves[c][(h >> 4) % 4]);
        if ((f + 7 * c) % 37 < 2) keys.press(c ? vk::LShift : vk::RShift);
        if ((f + 11 * c) % 53 < 6) keys.press(c ? vk::LControl : vk::RControl);
    }
    // Help: Boris alone, Horace alone, then both together.
    if ((f >= 200 && f < 260) || (f >= 500 && f < 620)) keys.press(vk::F12);
    if ((f >= 300 && f < 360) || (f >= 560 && f < 700)) keys.press(vk::F1);
}

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: live_digest --live FRAMES [--record FILE] | --headless FRAMES\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) usage();
    const bool live = std::strcmp(argv[1], "--live") == 0;
    if (!live && std::strcmp(argv[1], "--headless") != 0) usage();
    const int frames = std::atoi(argv[2]);
    const std::string record = argc >= 5 && std::strcmp(argv[3], "--record") == 0 ? argv[4] : "";

    if (!live) {
        setKeySource(&keys);
        readMap();
        for (int f = 0; f < frames; ++f) {
            scriptFrame(f);
            stepPlayingFrameHeadless();
            std::printf("%d %016llx\n", f, static_cast<unsigned long long>(digestGameState()));
        }
        return 0;
    }

    glutInit(&argc, argv);
    // A small window: the drawing is exercised all the same, at less cost.
    openGameWindow("Hoofbrawl", 320, 240);
    startGame(keys);
    // The frames are driven from here, one a loop, never by a redisplay.
    glutDisplayFunc([] {});
    glutReshapeFunc(reshapeWindow);
    // Through the phase machine into play: SPACE leaves the splash, is let
    // go, and starts play from the title (a frame that does not step yet).
    for (bool space : {true, false, true}) {
        space ? keys.press(vk::Space) : keys.release(vk::Space);
        glutMainLoopEvent();
        displayFrame();
    }
    if (app.phase != GamePhase::Playing) {
        std::fprintf(stderr, "live_digest: not in play after SPACE\n");
        return 1;
    }
    ReplayWriter writer;
    if (!record.empty()) {
        KeyboardInput scripted(keys);
        if (!writer.open(record, replayInfoForCurrentGame(scripted, scripted, 0))) {
            std::fprintf(stderr, "%s\n", writer.error().c_str());
            return 1;
        }
    }
    for (int f = 0; f < frames; ++f) {
        scriptFrame(f);
        glutMainLoopEvent();
        displayFrame();
        writer.step(lastStepInput());
        std::printf("%d %016llx\n", f, static_cast<unsigned long long>(digestGameState()));
    }
    writer.finish(GameEnd::StepLimit);
    return 0;
}
