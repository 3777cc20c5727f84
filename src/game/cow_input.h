// What a cow is told to do in one step: the seven held controls, read once at
// the start of the step from whoever drives the cow (keyboard, pad, computer,
// replay or network peer). Every rule that asks whether a control is held asks
// this value, so a step is a pure function of the state and two of them.
#pragma once

#include <cstdint>

enum class CowAction : uint8_t { Up, Down, Left, Right, Jump, Attack, Help };
constexpr int kCowActionCount = 7;
// The bits a record may carry; anything above them is not an input.
constexpr uint8_t kCowInputMask = (1u << kCowActionCount) - 1;

struct CowInput {
    uint8_t bits = 0;

    bool held(CowAction a) const { return (bits >> static_cast<int>(a)) & 1u; }
    void set(CowAction a, bool down = true) {
        const uint8_t bit = static_cast<uint8_t>(1u << static_cast<int>(a));
        bits = down ? static_cast<uint8_t>(bits | bit) : static_cast<uint8_t>(bits & ~bit);
    }
    bool operator==(const CowInput& o) const { return bits == o.bits; }
    bool operator!=(const CowInput& o) const { return bits != o.bits; }
};

// The cows by index: 0 is Boris (cow '1', right half), 1 is Horace (cow '2').
constexpr int kBoris = 0;
constexpr int kHorace = 1;

// Both cows' records for one step.
struct StepInput {
    CowInput cow[2];
    bool operator==(const StepInput& o) const { return cow[0] == o.cow[0] && cow[1] == o.cow[1]; }
    bool operator!=(const StepInput& o) const { return !(*this == o); }
};
