// Times one key poll of the live key source against the poll it replaced (the
// whole keyboard's state, whoever has the focus), side by side in one run.
//
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/key_poll_bench [POLLS]
//
// Makes a window of its own and registers it as the game's, then measures, in
// interleaved rounds so the machine's noise falls on all alike: the old poll;
// the focus-aware keyboard with the focus on the window, following the pointer
// over it, and on another window; the pads with none plugged in and with two
// (SDL's virtual pads); and the two sources together as the game asks them.
// Then a whole frame's input both ways: the capture the game makes now (each
// cow's seven bound keys read once, or-ed with its pad) against a frame of
// the polls it made before (about 45, each of the keyboard and the pads).
// Prints the median microseconds per poll, and per frame for the frame cases.
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "game/input_source.h"
#include "platform/key_focus.h"
#include "platform/live_keys.h"
#include "platform/pad_keys.h"
#include "platform/x11_keys.h"

namespace {

// The poll as it was: one XQueryKeymap, no focus.
struct OldPoll {
    Display* d = XOpenDisplay(nullptr);
    unsigned char keycode = d ? XKeysymToKeycode(d, XK_w) : 0;
    bool isDown() {
        char keys[32];
        XQueryKeymap(d, keys);
        return (keys[keycode / 8] >> (keycode % 8)) & 1;
    }
};

double microsPerPoll(const std::function<void()>& poll, int polls) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < polls; ++i) poll();
    std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / polls;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int polls = argc > 1 ? std::atoi(argv[1]) : 2000;
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(d);
    Window game = XCreateSimpleWindow(d, root, 0, 0, 800, 600, 0, 0, 0);
    Window other = XCreateSimpleWindow(d, root, 820, 620, 100, 100, 0, 0, 0);
    XMapWindow(d, game);
    XMapWindow(d, other);
    XWarpPointer(d, None, game, 0, 0, 0, 0, 400, 300);
    XSync(d, False);
    addGameWindow(game);

    OldPoll old;
    X11Keys keyboard;
    PadKeys pads;
    pads.notices = nullptr;
    pads.start();
    EitherKeys both(keyboard, pads);
    setCowPads(&pads);
    KeyboardInput capture(keyboard);
    // A frame's polls before the record: some 45 reads of a key, each asking
    // the keyboard and then the pads afresh (a pad's read of one cow's slot
    // stands for the pads' answer to one key).
    constexpr int kPollsPerFrameBefore = 45;
    auto framePolledBefore = [&] {
        for (int i = 0; i < kPollsPerFrameBefore; ++i) {
            keyboard.isDown(vk::W);
            pads.cowInput(kHorace);
        }
    };
    auto frameCaptured = [&] {
        capture.next(kBoris);
        capture.next(kHorace);
    };

    struct Case {
        const char* name;
        Window focus;
        std::function<void()> poll;
        std::vector<double> samples;
    };
    std::vector<Case> cases = {
        {"old poll (whole keyboard, no focus)", game, [&] { old.isDown(); }, {}},
        {"keyboard, focus on the game", game, [&] { keyboard.isDown(vk::W); }, {}},
        {"keyboard, focus follows the pointer", PointerRoot, [&] { keyboard.isDown(vk::W); }, {}},
        {"keyboard, focus on another window", other, [&] { keyboard.isDown(vk::W); }, {}},
        {"pads, none plugged in", game, [&] { pads.cowInput(kHorace); }, {}},
        {"keyboard or pads, focus on the game", game, [&] { both.isDown(vk::W); }, {}},
        {"FRAME: polled at the point of use (45 polls)", game, framePolledBefore, {}},
        {"FRAME: one record per cow per step", game, frameCaptured, {}},
    };
    // The same pads again with two plugged in, measured after the rounds above.
    std::vector<Case> plugged = {
        {"pads, two plugged in", game, [&] { pads.cowInput(kHorace); }, {}},
        {"keyboard or pads (two), focus on the game", game, [&] { both.isDown(vk::W); }, {}},
        {"FRAME (two pads): polled at the point of use", game, framePolledBefore, {}},
        {"FRAME (two pads): one record per cow per step", game, frameCaptured, {}},
    };
    for (int round = 0; round < 15; ++round) {
        for (Case& c : cases) {
            XSetInputFocus(d, c.focus, RevertToPointerRoot, CurrentTime);
            XSync(d, False);
            // Past the time a focus answer is reused, so each round asks afresh.
            std::this_thread::sleep_for(std::chrono::milliseconds(kFocusReuseMs + 5));
            c.samples.push_back(microsPerPoll(c.poll, polls / 10 + 1));
        }
    }
    for (int i = 0; i < 2; ++i) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Bench pad";
        SDL_JoystickAttachVirtualEx(&desc);
    }
    for (int round = 0; round < 15; ++round) {
        for (Case& c : plugged) {
            XSetInputFocus(d, c.focus, RevertToPointerRoot, CurrentTime);
            XSync(d, False);
            // Past the time a focus answer is reused, so each round asks afresh.
            std::this_thread::sleep_for(std::chrono::milliseconds(kFocusReuseMs + 5));
            c.samples.push_back(microsPerPoll(c.poll, polls / 10 + 1));
        }
        // The old poll again in the same rounds, as the yardstick.
        cases[0].samples.push_back(microsPerPoll(cases[0].poll, polls / 10 + 1));
    }
    cases.insert(cases.end(), plugged.begin(), plugged.end());
    std::printf("median microseconds per poll, or per frame for FRAME (rounds of %d):\n", polls / 10 + 1);
    for (Case& c : cases) std::printf("  %-48s %8.1f\n", c.name, median(c.samples));
    pads.stop();
    return 0;
}
