#include "platform/pad_keys.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

struct SlotKeys {
    uint32_t up, down, left, right, jump, attack, help;
};

// The same codes the cows poll: slot 0 is Horace's, slot 1 Boris's. The
// players may give their cows other keys; the pads follow, so a pad's
// buttons keep their meaning whatever the keyboard's are.
SlotKeys kSlotKeys[kPadSlots] = {
    {vk::W, vk::S, vk::A, vk::D, vk::LShift, vk::LControl, vk::F1},
    {vk::Up, vk::Down, vk::Left, vk::Right, vk::RShift, vk::RControl, vk::F12},
};

const char* const kCowOfSlot[kPadSlots] = {"Horace (left half)", "Boris (right half)"};

// tan(22.5 degrees): a stick within 22.5 degrees of an axis points straight
// along it; beyond that it points diagonally, so the eight directions get
// equal 45-degree sectors.
constexpr double kTanHalfSector = 0.41421356237309503;

bool isPadKey(uint32_t k) {
    if (k == vk::Space || k == vk::Pause) return true;
    for (const SlotKeys& s : kSlotKeys)
        if (k == s.up || k == s.down || k == s.left || k == s.right || k == s.jump || k == s.attack ||
            k == s.help)
            return true;
    return false;
}

// Instances that failed to open as controllers; tried once, not at every poll.
std::vector<SDL_JoystickID> refusedPads;

}  // namespace

void setPadSlotKeys(int slot, const uint32_t keys[7]) {
    if (slot < 0 || slot >= kPadSlots) return;
    kSlotKeys[slot] = {keys[0], keys[1], keys[2], keys[3], keys[4], keys[5], keys[6]};
}

bool padHoldsKey(const PadState& st, int slot, uint32_t k) {
    if (slot < 0 || slot >= kPadSlots) return false;
    // Start is SPACE on the title and the Pause key in play.
    if (k == vk::Space || k == vk::Pause) return st.start;
    const SlotKeys& keys = kSlotKeys[slot];
    if (k == keys.jump) return st.a;
    if (k == keys.attack) return st.b || st.x;
    if (k == keys.help) return st.back;

    const double x = st.stickX, y = st.stickY;
    const bool outside = x * x + y * y > double(kStickDeadZone) * kStickDeadZone;
    const bool stickLeft = outside && x < 0 && -x > std::abs(y) * kTanHalfSector;
    const bool stickRight = outside && x > 0 && x > std::abs(y) * kTanHalfSector;
    const bool stickUp = outside && y < 0 && -y > std::abs(x) * kTanHalfSector;
    const bool stickDown = outside && y > 0 && y > std::abs(x) * kTanHalfSector;
    if (k == keys.up) return st.dpadUp || stickUp;
    if (k == keys.down) return st.dpadDown || stickDown;
    if (k == keys.left) return st.dpadLeft || stickLeft;
    if (k == keys.right) return st.dpadRight || stickRight;
    return false;
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
    if (!started_ || !isPadKey(virtualKey)) return false;
    refresh();
    for (int slot = 0; slot < kPadSlots; ++slot)
        if (slots_[slot].pad && padHoldsKey(read(slot), slot, virtualKey)) return true;
    return false;
}
