// Keys are polled by Windows virtual-key code at the moment of use; nothing is
// queued. The live source asks the X server and the gamepads; tests script the
// state per frame.
#pragma once

#include <cstdint>
#include <set>

namespace vk {
constexpr uint32_t Backspace = 8;
constexpr uint32_t Tab = 9;
constexpr uint32_t Return = 13;
constexpr uint32_t Pause = 19;
constexpr uint32_t Escape = 27;
constexpr uint32_t Space = 32;
constexpr uint32_t Left = 37;
constexpr uint32_t Up = 38;
constexpr uint32_t Right = 39;
constexpr uint32_t Down = 40;
constexpr uint32_t Insert = 45;
constexpr uint32_t Delete = 46;
constexpr uint32_t A = 65;
constexpr uint32_t D = 68;
constexpr uint32_t I = 0x49;
constexpr uint32_t J = 0x4A;
constexpr uint32_t K = 0x4B;
constexpr uint32_t L = 0x4C;
constexpr uint32_t M = 0x4D;
constexpr uint32_t N = 78;
constexpr uint32_t O = 0x4F;
constexpr uint32_t P = 0x50;
constexpr uint32_t S = 83;
constexpr uint32_t U = 0x55;
constexpr uint32_t W = 87;
constexpr uint32_t F1 = 112;
constexpr uint32_t F11 = 122;
constexpr uint32_t F12 = 123;
constexpr uint32_t LShift = 160;
constexpr uint32_t RShift = 161;
constexpr uint32_t LControl = 162;
constexpr uint32_t RControl = 163;
constexpr uint32_t LAlt = 164;
constexpr uint32_t RAlt = 165;
constexpr uint32_t Equals = 187;  // the = and + key
constexpr uint32_t Comma = 188;
constexpr uint32_t Minus = 189;
constexpr uint32_t Period = 190;
constexpr uint32_t Semicolon = 186;
}  // namespace vk

class KeySource {
public:
    virtual ~KeySource() = default;
    virtual bool isDown(uint32_t virtualKey) = 0;
    // Between these, a source may answer every read from one reading of its
    // keys: the reads that fill one cow's record then see one keyboard, and
    // the live keyboard asks the X server once instead of seven times.
    virtual void holdState() {}
    virtual void releaseState() {}
};

// The first key in `source` that is down now among every key the game has a
// name for (see key_names.h), or 0 when none is: for the controls screen's
// "press a key".
uint32_t anyKeyDown(KeySource& source);

// A key state a test sets frame by frame.
class ScriptedKeys : public KeySource {
public:
    std::set<uint32_t> down;
    bool isDown(uint32_t virtualKey) override { return down.count(virtualKey) != 0; }
    void press(uint32_t k) { down.insert(k); }
    void release(uint32_t k) { down.erase(k); }
    void releaseAll() { down.clear(); }
};

// Null means no key is ever down.
void setKeySource(KeySource* source);

// GetAsyncKeyState's high bit and GetKeyState's 0x80 bit: both ask the same
// live state here, as each poll reads the keyboard as it is now.
bool asyncKeyDown(uint32_t virtualKey);
bool syncKeyDown(uint32_t virtualKey);
