// The digest of a short fixed match every game plays at start-up, before
// its real world exists: a built-in small map, a few hundred steps of
// scripted inputs. Two builds that would compute the game differently
// (another compiler, another processor) get different digests and are told
// apart at the handshake; two that agree may play though built apart.
#pragma once

#include <cstdint>

// Plays the match in the world, which must be empty, and leaves it empty.
// Sounds go nowhere meanwhile.
uint64_t simulationCheckDigest();
