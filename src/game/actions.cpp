#include "game/actions.h"

#include <cmath>
#include <cstdio>

#include "audio/sounds.h"
#include "game/behaviours.h"
#include "game/cow.h"
#include "game/push_back.h"
#include "game/rules.h"

namespace {
float& scaleOf(const Cow& cow) { return cow.kind == '1' ? cow1Scale : cow2Scale; }
}  // namespace

void jumpStep(Cow& cow) {
    if (!cow.jumping) {
        // The moo follows the size the cow is drawn at.
        if (cow.kind == '1') {
            if (cow1Scale == kCow1NormalScale) playSound(static_cast<SoundId>(cow.jumpSound));
            if (cow1Scale == kCow1GrownScale) playSound(SoundId::Cow1BigJump);
        } else {
            if (cow2Scale == kCow2NormalScale) playSound(static_cast<SoundId>(cow.jumpSound));
            if (cow2Scale == kCow2GrownScale) playSound(SoundId::Cow2BigJump);
        }
    }
    cow.jumping = 1;
    int degrees = static_cast<int>(cow.jumpPhase);
    cow.jumpHeight = static_cast<float>(std::sin(kJumpDegToRad * degrees) * cow.jumpAmplitude);
    cow.jumpPhase += kJumpPhaseStep;
    if (cow.jumpHeight < 0) {
        cow.jumping = 0;
        cow.jumpHeight = 0;
        cow.jumpPhase = 0;
    }
}

void dashStep(Cow& cow) {
    if (cow.energy > 0 && cow.dashFrames < kDashFramesPerPress && !cow.blocked) {
        cow.attacking = 1;
        playSound(SoundId::CowHBSoundSource);
        const double lunge = std::floor(100.0) / 100.0;
        cow.x += lunge * cow.dirX;
        cow.y += lunge * cow.dirY;
        cow.dashFrames += 1;
        cow.energy -= kDashEnergyCost;
    } else {
        cow.attacking = 0;
    }
}

void cowContact(Cow* toucher, int, int) {
    Cow& cow = *toucher;
    Cow& rival = *cow.rival;
    // Only the toucher gives way; a headbutt has no knock-back.
    pushBack(cow, [&] { return overlaps(cow, rival); });
    injectHeldEffect(cow);
    knockOver(cow);
    if (!cow.attacking) return;
    playSoundWithoutRestart(SoundId::Hit);
    takeHayThatFits(cow.hayCarried, rival.hayCarried);
    if (rival.heldEffect != doNothingTouch) {
        rival.heldEffect = doNothingTouch;
        playSound(SoundId::SyringeBreak);
    }
}

void injectHeldEffect(Cow& cow) {
    if (cow.heldEffect != doNothingTouch) playSound(SoundId::InjectSyringe);
    EffectBehaviour effect = cow.heldEffect;
    effect(cow.rival, static_cast<int>(cow.x), static_cast<int>(cow.y));
    cow.heldEffect = doNothingTouch;
}

void knockOver(Cow& cow) {
    if (!cow.attacking) return;
    Cow& rival = *cow.rival;
    rival.stunned = 1;
    rival.stunFrames = 0;
    rival.energy = 0;
}

void slowEffect(Cow* target, int, int) {
    std::fputs("SLOW!", stdout);
    std::fflush(stdout);
    playSound(SoundId::Slowdown);
    target->slowed = 1;
    target->maxSpeed = kSlowTopSpeed;
}

void growCow(Cow& cow) {
    cow.grown = 1;
    scaleOf(cow) = cow.kind == '1' ? kCow1GrownScale : kCow2GrownScale;
    cow.energy = kGrowthPillEnergy;
}

void shrinkBack(Cow& cow) {
    playSound(SoundId::CowShrinkSoundSource);
    cow.grown = 0;
    scaleOf(cow) = cow.kind == '1' ? kCow1NormalScale : kCow2NormalScale;
}

void depositHay(Cow& cow) {
    if (cow.hayCarried > 0) playSound(SoundId::HayYAYSoundSource);
    cow.hayStored += cow.hayCarried;
    cow.hayCarried = 0;
}

bool inHomeArea(const Cow& home, float x, float y) {
    double column = home.homeColumn;
    double row = home.homeRow;
    return column - kHomeAreaHalfSide < x && x < column + kHomeAreaHalfSide && row - kHomeAreaHalfSide < y &&
           y < row + kHomeAreaHalfSide;
}
