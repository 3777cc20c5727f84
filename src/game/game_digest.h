// A digest of the whole game state a step can change: both cows field by
// field (floats by their bit pattern), the model scales and every object on
// the map. Replays store it every so many steps and at the end, and two
// machines playing one match compare it; equal digests mean the same game.
#pragma once

#include <cstdint>

uint64_t digestGameState();

// FNV-1a, 64 bits, folded word by word.
class Fnv64 {
public:
    void add(uint32_t v) {
        hash_ ^= v;
        hash_ *= 0x100000001b3ull;
    }
    void add64(uint64_t v) {
        add(static_cast<uint32_t>(v));
        add(static_cast<uint32_t>(v >> 32));
    }
    void addFloat(float v);
    void bytes(const void* data, unsigned long size);
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;
};
