#include "game/cow.h"

#include <cmath>
#include <cstring>

#include "audio/sounds.h"
#include "game/behaviours.h"
#include "game/object_kinds.h"
#include "game/rules.h"
#include "world/world_grid.h"

float cow1Scale = kCow1NormalScale;
float cow2Scale = kCow2NormalScale;

Cow* makeCow(char kind, int column, int row) {
    auto* cow = new Cow;
    initObject(*cow, kind, column, row);
    cow->jumpHeight = 0;
    cow->jumpPhase = 0;
    cow->speed = 0;
    cow->hayCarried = 0;
    cow->hayStored = 0;
    cow->dashFrames = 0;
    cow->energy = kStartEnergy;
    cow->stepClearance = kStepClearance;
    cow->heading = 0;
    cow->groundUnder = groundAt(column, row);
    // The level drawing would give it, so that a jump in the very first frame
    // (before any drawing) starts from the ground the cow stands on.
    cow->jumpBase = cow->baseLevel;
    cow->heldEffect = doNothingTouch;
    cow->maxSpeed = kTopSpeed;
    cow->jumpAmplitude = kJumpAmplitude;
    cow->dirY = 0.0f;
    if (kind == '1') {
        std::strcpy(cow->name, "Boris");
        // A new game's cow starts at normal size, whatever the last one was.
        cow1Scale = kCow1NormalScale;
        cow->dirX = -1.0f;
        cow->jumpSound = static_cast<uint32_t>(SoundId::Cow1Jump);
    } else {
        std::strcpy(cow->name, "Horace");
        cow2Scale = kCow2NormalScale;
        cow->dirX = 1.0f;
        cow->jumpSound = static_cast<uint32_t>(SoundId::Cow2JumpSoundSource);
    }
    return cow;
}

void updateCowLevel(Cow& cow) {
    if (!cow.jumping) {
        GroundTile* tile = groundAt(static_cast<int>(std::floor(cow.x)), static_cast<int>(std::floor(cow.y)));
        if (tile) cow.baseLevel = tile->standLevel;
        cow.jumpBase = cow.baseLevel;
    } else {
        cow.baseLevel = cow.jumpBase + cow.jumpHeight;
    }
}
