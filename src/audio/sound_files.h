// The game's sound files by SoundId: the names the sound generator writes and
// the game loads from sounds/, in one place. Header-only, so the generator
// uses it without linking the game.
#pragma once

#include <cstdint>

#include "audio/sounds.h"

constexpr const char* kSoundFileStems[kSoundCount] = {
    "intro",        "moo",           "moo_big",     "moo3",       "moo3_big",   "crushcan", "sonar",
    "splash",       "powerdown",     "powerup",     "headbutt2",  "yay",        "MorningLQ",
    "gate_jingle",  "syringebreak2", "outofwater2", "syringe",    "pickup",     "gate_open",
    "gate_close",   "StartRound",    "cow_full",    "hay_stolen", "headbutt_hit", "win",    "Slowdown",
};

// The file's name without directory or ".wav", e.g. "moo3" for Cow2JumpSoundSource.
constexpr const char* soundFileStem(SoundId id) { return kSoundFileStems[static_cast<uint32_t>(id)]; }
