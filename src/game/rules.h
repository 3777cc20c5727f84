// The numbers of the game's rules, in one place, named as the rules name
// them. Each keeps the type the rule computes in: a double constant used with
// a float field is worked in double and then stored, and changing a type here
// changes results in the last bit. Tests and benchmarks use these names too.
#pragma once

#include <cstdint>

// --- The hay game ------------------------------------------------------------
constexpr int32_t kHayCarryLimit = 10;  // hay a cow can carry
constexpr int32_t kHayToWin = 60;       // delivered hay that wins
// The home area: an open square of side 4 around the home cell's corner.
constexpr double kHomeAreaHalfSide = 2;

// --- Walking -----------------------------------------------------------------
constexpr float kTopSpeed = 0.5f;
constexpr double kAcceleration = 0.045;     // per frame while a moving key is held
constexpr double kDeceleration = 0.09;      // per frame with no moving key
constexpr double kStopBelowSpeed = 0.05;    // a slowing cow at or under this stops
constexpr int32_t kTurnStep = 18;           // degrees per frame of turning
constexpr float kStepClearance = 0.3f;      // how high an object may rise above the feet

// --- Jump --------------------------------------------------------------------
constexpr float kJumpAmplitude = 2.0f;
constexpr float kJumpPhaseStep = 90.0f / 7.0f;  // degrees per frame
// The jump's degrees to radians: pi truncated to 3.14159265, divided by 180.
// The camera's turn uses its own constant, 0.0174532925 written out
// (kCameraDegToRad); the two are equal in decimal but round to doubles one
// bit apart, and at 180 degrees (the 15th frame of every jump) the jump's
// float height depends on that bit, so each rule keeps the constant it is
// written with. The jump test checks every frame's height against this one.
constexpr double kJumpDegToRad = 3.14159265 / 180;
constexpr double kCameraDegToRad = 0.0174532925;

// --- Headbutt and energy -----------------------------------------------------
constexpr float kStartEnergy = 100.0f;       // energy of a new cow; regain stops here
constexpr float kEnergyRegain = 0.5f;        // per frame while the attack key is up
constexpr float kDashEnergyCost = 8.0f;      // per dash frame
constexpr float kDashFramesPerPress = 5.0f;  // counted in the float dashFrames
constexpr float kGrowthPillEnergy = 200.0f;  // growth ends at kStartEnergy or less
constexpr int32_t kKnockedOverCount = 60;    // stunFrames counted to this, then up

// --- Slow effect and water ---------------------------------------------------
constexpr float kSlowTopSpeed = 0.05f;
constexpr float kSlowRecoveryStep = 0.00225f;  // per frame back up to kTopSpeed
constexpr float kWaterHalvesAbove = 0.25f;     // water halves a top speed above this

// --- Heads-up display ----------------------------------------------------------
constexpr int32_t kIntroductionLength = 200;  // HUD draws showing the introduction

// Hay moves from `from` to `carried` as far as it fits under the carry limit:
// a headbutt takes the rival's carried hay, a raid its stored hay.
inline void takeHayThatFits(int32_t& carried, int32_t& from) {
    const int32_t room = kHayCarryLimit - carried;
    if (from <= room) {
        carried += from;
        from = 0;
    } else {
        carried = kHayCarryLimit;
        from -= room;
    }
}
