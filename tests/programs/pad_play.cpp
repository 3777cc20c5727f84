// The real game with gamepads that a test plugs in, presses and unplugs: SDL's
// virtual pads, driven by commands on standard input, one a line:
//   plug NAME | unplug N | button N NAME 0|1 | stick N X Y
// N counts the pads plugged in so far from 0; NAME is SDL's button name (a, b,
// x, back, start, dpup, dpdown, dpleft, dpright). Each command answers "did:
// <command>" on standard output once done. Everything else is the game's own
// start-up, frame, key handling and pad polling.
#include <GL/freeglut.h>
#include <SDL.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "app/game_app.h"
#include "app/startup.h"
#include "platform/live_keys.h"

namespace {

std::map<int, SDL_Joystick*> pads;
int plugged = 0;
std::string pending;

void run(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "plug") {
        std::string name;
        in >> name;
        static std::map<int, std::string> names;  // SDL keeps the pointer
        names[plugged] = name;
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = names[plugged].c_str();
        pads[plugged++] = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    } else if (verb == "unplug") {
        int n = -1;
        in >> n;
        if (!pads.count(n)) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(pads[n]);
        SDL_JoystickClose(pads[n]);
        pads.erase(n);
        for (int device = 0; device < SDL_NumJoysticks(); ++device)
            if (SDL_JoystickGetDeviceInstanceID(device) == id) SDL_JoystickDetachVirtual(device);
    } else if (verb == "button") {
        int n = -1, down = 0;
        std::string name;
        in >> n >> name >> down;
        if (pads.count(n))
            SDL_JoystickSetVirtualButton(pads[n], SDL_GameControllerGetButtonFromString(name.c_str()), Uint8(down));
    } else if (verb == "stick") {
        int n = -1, x = 0, y = 0;
        in >> n >> x >> y;
        if (!pads.count(n)) return;
        SDL_JoystickSetVirtualAxis(pads[n], SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
        SDL_JoystickSetVirtualAxis(pads[n], SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
    } else {
        return;
    }
    std::printf("did: %s\n", line.c_str());
    std::fflush(stdout);
}

void idleWithCommands() {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
        char buf[256];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) break;
        pending.append(buf, size_t(n));
        for (size_t nl; (nl = pending.find('\n')) != std::string::npos; pending.erase(0, nl + 1))
            run(pending.substr(0, nl));
    }
    idlePace();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    openGameWindow("Hoofbrawl");
    setUpPlayerShell(liveKeys());
    startGame(liveKeys());
    runGameLoop(displayFrame, idleWithCommands);
}
