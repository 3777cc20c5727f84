#include "platform/pad_keys.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const char* const kCowOfSlot[kPadSlots] = {"Horace (left half)", "Boris (right half)"};

// tan(22.5 degrees): a stick within 22.5 degrees of an axis points straight
// along it; beyond that it points diagonally, so the eight directions get
// equal 45-degree sectors.
constexpr double kTanHalfSector = 0.41421356237309503;

// Instances that failed to open as controllers; tried once, not at every poll.
std::vector<SDL_JoystickID> refusedPads;

}  // namespace

int cowOfPadSlot(int slot) { return slot == 0 ? kHorace : kBoris; }

CowInput padCowInput(const PadState& st) {
    const double x = st.stickX, y = st.stickY;
    const bool outside = x * x + y * y > double(kStickDeadZone) * kStickDeadZone;
    const bool stickLeft = outside && x < 0 && -x > std::abs(y) * kTanHalfSector;
    const bool stickRight = outside && x > 0 && x > std::abs(y) * kTanHalfSector;
    const bool stickUp = outside && y < 0 && -y > std::abs(x) * kTanHalfSector;
    const bool stickDown = outside && y > 0 && y > std::abs(x) * kTanHalfSector;
    CowInput in;
    in.set(CowAction::Up, st.dpadUp || stickUp);
    in.set(CowAction::Down, st.dpadDown || stickDown);
    in.set(CowAction::Left, st.dpadLeft || stickLeft);
    in.set(CowAction::Right, st.dpadRight || stickRight);
    in.set(CowAction::Jump, st.a);
    in.set(CowAction::Attack, st.b || st.x);
    in.set(CowAction::Help, st.back);
    return in;
}

PadKeys::~PadKeys() { stop(); }

bool PadKeys::start(std::FILE* errors) {
    if (started_) return true;
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into
    // events nobody reads: the game must still end when it is told to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // There is no SDL window to have the focus; pads belong to the game alone.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        if (errors) std::fprintf(errors, "Gamepads unavailable: %s\n", SDL_GetError());
        return false;
    }
    // Pads are polled; queued events would only pile up unread.
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
    started_ = true;
    refresh();
    return true;
}

void PadKeys::stop() {
    if (!started_) return;
    for (Slot& s : slots_) {
        if (s.pad) SDL_GameControllerClose(static_cast<SDL_GameController*>(s.pad));
        s = Slot{};
    }
    refusedPads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

void PadKeys::refresh() {
    SDL_GameControllerUpdate();
    for (int i = 0; i < kPadSlots; ++i) {
        Slot& s = slots_[i];
        if (!s.pad) continue;
        auto* pad = static_cast<SDL_GameController*>(s.pad);
        if (SDL_GameControllerGetAttached(pad)) continue;
        SDL_GameControllerClose(pad);
        s = Slot{};
        if (notices) {
            std::fprintf(notices, "Gamepad unplugged: %s plays on the keyboard\n", kCowOfSlot[i]);
            std::fflush(notices);
        }
    }
    const int count = SDL_NumJoysticks();
    for (int device = 0; device < count; ++device) {
        Slot* free = nullptr;
        for (Slot& s : slots_)
            if (!s.pad) {
                free = &s;
                break;
            }
        if (!free) return;
        if (!SDL_IsGameController(device)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
        if (id < 0) continue;
        bool known = std::find(refusedPads.begin(), refusedPads.end(), id) != refusedPads.end();
        for (const Slot& s : slots_) known = known || (s.pad && s.instance == id);
        if (known) continue;
        SDL_GameController* pad = SDL_GameControllerOpen(device);
        if (!pad) {
            refusedPads.push_back(id);
            continue;
        }
        free->pad = pad;
        free->instance = id;
        if (notices) {
            const char* name = SDL_GameControllerName(pad);
            std::fprintf(notices, "Gamepad \"%s\" drives %s\n", name ? name : "unnamed",
                         kCowOfSlot[free - slots_]);
            std::fflush(notices);
        }
    }
}

PadState PadKeys::read(int slot) const {
    PadState st;
    auto* pad = static_cast<SDL_GameController*>(slots_[slot].pad);
    if (!pad) return st;
    auto button = [pad](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad, b) != 0; };
    st.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    st.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    st.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    st.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    st.stickX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    st.stickY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    st.a = button(SDL_CONTROLLER_BUTTON_A);
    st.b = button(SDL_CONTROLLER_BUTTON_B);
    st.x = button(SDL_CONTROLLER_BUTTON_X);
    st.back = button(SDL_CONTROLLER_BUTTON_BACK);
    st.start = button(SDL_CONTROLLER_BUTTON_START);
    return st;
}

bool PadKeys::isDown(uint32_t virtualKey) {
    if (!started_ || (virtualKey != vk::Space && virtualKey != vk::Pause)) return false;
    refresh();
    for (int slot = 0; slot < kPadSlots; ++slot)
        if (slots_[slot].pad && read(slot).start) return true;
    return false;
}

CowInput PadKeys::cowInput(int cowIndex) {
    if (!started_) return {};
    refresh();
    for (int slot = 0; slot < kPadSlots; ++slot)
        if (slots_[slot].pad && cowOfPadSlot(slot) == cowIndex) return padCowInput(read(slot));
    return {};
}
