// The records every subsystem shares: one ground tile per cell, at most one
// object per cell, and the two cows (an object with a player's state on top).
#pragma once

#include <cstdint>

struct Cow;

// Behaviour slots are plain function references, bound from a kind character
// and swapped at run time. Slots are compared against doNothing.
using DrawBehaviour = void (*)(int column, int row);
using SetupBehaviour = void (*)(int column, int row);
using TouchBehaviour = void (*)(Cow* cow, int column, int row);
using StepBehaviour = void (*)(Cow* cow, int column, int row);
using EffectBehaviour = void (*)(Cow* target, int column, int row);

struct GroundTile {
    char kind = 0;
    uint32_t texture = 0;
    StepBehaviour step = nullptr;
    int32_t column = 0;
    int32_t row = 0;
    float standLevel = 0.0f;
    float surfaceHeight = 0.0f;
};

struct WorldObject {
    char kind = 0;
    DrawBehaviour draw = nullptr;
    SetupBehaviour setup = nullptr;
    TouchBehaviour touch = nullptr;
    int32_t hitCounter = 0;
    float x = 0.0f;
    float y = 0.0f;
    float baseLevel = 0.0f;
    float height = 0.0f;
    float radius = 0.0f;
    virtual ~WorldObject() = default;
};

struct Cow : WorldObject {
    EffectBehaviour heldEffect = nullptr;
    float dirX = 0.0f;
    float dirY = 0.0f;
    int32_t heading = 0;
    float jumpBase = 0.0f;
    float jumpHeight = 0.0f;
    float jumpPhase = 0.0f;
    float speed = 0.0f;
    float prevX = 0.0f;
    float prevY = 0.0f;
    int32_t homeColumn = 0;
    int32_t homeRow = 0;
    Cow* rival = nullptr;
    uint8_t inWater = 0;
    uint8_t leftWater = 0;
    uint32_t jumpSound = 0;  // a SoundId
    float maxSpeed = 0.0f;
    float jumpAmplitude = 0.0f;
    float stepClearance = 0.0f;
    float energy = 0.0f;
    uint8_t grown = 0;
    uint8_t slowed = 0;
    uint8_t stunned = 0;
    int32_t stunFrames = 0;
    uint8_t winner = 0;
    uint8_t jumping = 0;
    uint8_t attacking = 0;
    uint8_t blocked = 0;
    GroundTile* groundUnder = nullptr;
    int32_t hayCarried = 0;
    int32_t hayStored = 0;
    float dashFrames = 0.0f;
    uint8_t gateBroken = 0;
    uint8_t gateOpen = 0;
    char name[10] = {};
};
