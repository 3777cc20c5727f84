// One frame of a cow: its input record, turning, speed and movement, then what it ran
// into, then the standing rules.
#include <cmath>

#include "audio/sounds.h"
#include "game/actions.h"
#include "game/cow.h"
#include "game/push_back.h"
#include "game/rules.h"
#include "game/step.h"
#include "world/world_grid.h"

namespace {

// Heading modulo 360 with the sign of the heading, as C's % gives it.
int angleOf(const Cow& cow) { return cow.heading % 360; }

void wrap(Cow& cow) {
    if (cow.heading % 360 < 0) cow.heading += 360;
}

void turnUp(Cow& cow) {
    int a = angleOf(cow);
    if (a >= 90 && a < 270) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a >= 0 && a < 90) {
        cow.heading -= kTurnStep;
        wrap(cow);
    }
    a = angleOf(cow);
    if (a > 270) cow.heading -= kTurnStep;
}

void turnUpRight(Cow& cow) {
    int a = angleOf(cow);
    if (a >= 135 && a < 315) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a >= 0 && a < 135) {
        cow.heading -= kTurnStep;
        wrap(cow);
    }
    a = angleOf(cow);
    if (a > 315) cow.heading -= kTurnStep;
}

void turnUpLeft(Cow& cow) {
    int a = angleOf(cow);
    if (a >= 45 && a < 225) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a > 225 && a < 359) cow.heading -= kTurnStep;
    a = angleOf(cow);
    if (a < 45) {
        cow.heading -= kTurnStep;
        wrap(cow);
    }
}

void turnDown(Cow& cow) {
    int a = angleOf(cow);
    if (a > 270 && a < 360) {
        cow.heading += kTurnStep;
        if (cow.heading >= 360) cow.heading %= 360;
    }
    a = angleOf(cow);
    if (a >= 0 && a <= 90) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a > 90 && a <= 270) cow.heading -= kTurnStep;
}

void turnDownRight(Cow& cow) {
    int a = angleOf(cow);
    if (a >= 225 && a < 360) {
        cow.heading += kTurnStep;
        if (cow.heading >= 360) cow.heading %= 360;
    }
    a = angleOf(cow);
    if (a >= 0 && a <= 45) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a > 45 && a < 225) cow.heading -= kTurnStep;
}

void turnDownLeft(Cow& cow) {
    int a = angleOf(cow);
    if (a < 135) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a > 135) cow.heading -= kTurnStep;
}

void turnRight(Cow& cow) {
    int a = angleOf(cow);
    if (a >= 180 && a < 360) {
        cow.heading += kTurnStep;
        if (cow.heading % 360 == 0) cow.heading = 0;
    }
    a = angleOf(cow);
    if (a > 0 && a < 180) {
        cow.heading -= kTurnStep;
        wrap(cow);
    }
}

void turnLeft(Cow& cow) {
    int a = angleOf(cow);
    if (a < 180) cow.heading += kTurnStep;
    a = angleOf(cow);
    if (a > 180) cow.heading -= kTurnStep;
}

bool movingKeyHeld(CowInput in) {
    return in.held(CowAction::Down) || in.held(CowAction::Up) || in.held(CowAction::Right) ||
           in.held(CowAction::Left);
}

bool probeHasGround(const Cow& cow) {
    Cell probe = probeCell(cow);
    return groundAt(probe.column, probe.row) != nullptr;
}

// In water the top speed is halved once; coming out onto dry ground gives it
// back. A cow that left the water over grass ('E', 'e') is still counted in the
// water there and only dries off on the next '.' or '_', after its leftWater
// flag has been used up: drying off gives the speed back too, or the cow would
// keep half speed on dry land until its next swim.
void waterSpeed(Cow& cow, bool driedOff) {
    if (cow.inWater) {
        if (cow.maxSpeed > kWaterHalvesAbove) {
            cow.maxSpeed = cow.maxSpeed / 2;
            cow.speed = cow.maxSpeed;
        }
    } else if (cow.leftWater || driedOff) {
        cow.maxSpeed = kTopSpeed;
    }
}

void stealStoredHay(Cow& cow) {
    Cow& rival = *cow.rival;
    playSound(SoundId::HayStolen);
    takeHayThatFits(cow.hayCarried, rival.hayStored);
}

void winTest(Cow& cow) {
    if (cow.hayStored < kHayToWin) return;
    noteWinningScore(cow);
    cow.winner = 1;
    cow.hayCarried = 0;
    cow.rival->hayCarried = 0;
    cow.hayStored = 0;
    cow.rival->hayStored = 0;
    playSound(SoundId::Win);
}

void stunCount(Cow& cow) {
    if (!cow.stunned) return;
    if (cow.stunFrames < kKnockedOverCount)
        cow.stunFrames += 1;
    else
        cow.stunned = 0;
}

void slowRecovery(Cow& cow) {
    if (!cow.slowed || cow.stunned) return;
    if (cow.maxSpeed < kTopSpeed) {
        cow.maxSpeed += kSlowRecoveryStep;
    } else {
        cow.maxSpeed = kTopSpeed;
        cow.slowed = 0;
    }
}

}  // namespace

Cell probeCell(const Cow& cow) {
    return {cellOf(cow.x + 0.501 * cow.dirX), cellOf(cow.y + 0.501 * cow.dirY)};
}

bool overlaps(const Cow& mover, const WorldObject& other) {
    // Extended precision, so that sums of floats of very different sizes
    // (a jump height near zero on a raised level) compare exactly.
    using Wide = long double;
    Wide mx = mover.x, my = mover.y, ox = other.x, oy = other.y;
    Wide mr = mover.radius, orr = other.radius;
    bool acrossX = mx < ox ? mx + mr > ox - orr : ox + orr > mx - mr;
    bool acrossY = my < oy ? my + mr > oy - orr : oy + orr > my - mr;
    bool above = Wide(other.baseLevel) + Wide(other.height) >
                 Wide(mover.baseLevel) + Wide(mover.jumpHeight) + Wide(mover.stepClearance);
    return acrossX && acrossY && above;
}

void steerFromKeys(Cow& cow, CowInput in) {
    bool vertical = false;
    bool horizontal = false;
    if (in.held(CowAction::Up)) {
        cow.dirY = -1.0f;
        vertical = true;
    }
    if (in.held(CowAction::Down)) {
        cow.dirY = 1.0f;
        vertical = true;
    }
    if (in.held(CowAction::Right)) {
        cow.dirX = 1.0f;
        horizontal = true;
    }
    if (in.held(CowAction::Left)) {
        cow.dirX = -1.0f;
        horizontal = true;
    }
    bool any = vertical || horizontal;
    if (any && !horizontal) cow.dirX = 0.0f;
    if (any && !vertical) cow.dirY = 0.0f;
}

void turnHeading(Cow& cow, CowInput in) {
    bool up = in.held(CowAction::Up);
    bool down = in.held(CowAction::Down);
    bool left = in.held(CowAction::Left);
    bool right = in.held(CowAction::Right);
    // Only the eight single and diagonal combinations turn the cow.
    if (up && !down && !left && !right) turnUp(cow);
    else if (up && !down && !left && right) turnUpRight(cow);
    else if (up && !down && left && !right) turnUpLeft(cow);
    else if (!up && down && !left && !right) turnDown(cow);
    else if (!up && down && !left && right) turnDownRight(cow);
    else if (!up && down && left && !right) turnDownLeft(cow);
    else if (!up && !down && !left && right) turnRight(cow);
    else if (!up && !down && left && !right) turnLeft(cow);
}

void accelerateAndMove(Cow& cow, CowInput in) {
    bool moving = movingKeyHeld(in);
    if (moving && cow.speed < cow.maxSpeed) {
        cow.speed += kAcceleration;
        if (cow.speed > cow.maxSpeed) cow.speed = cow.maxSpeed;
    }
    if (!moving && cow.speed > 0) {
        cow.speed -= kDeceleration;
        if (cow.speed <= kStopBelowSpeed) cow.speed = 0;
    }
    if (cow.speed != 0) {
        // Whole hundredths of a cell, taken from the speed in double.
        double s = std::floor(cow.speed * 100.0) / 100.0;
        cow.x += s * cow.dirX;
        cow.y += s * cow.dirY;
    }
}

void updateCow(Cow& cow, CowInput in) {
    // 1. Where this update starts.
    cow.prevX = cow.x;
    cow.prevY = cow.y;
    GroundTile* previousTile = groundAt(static_cast<int>(cow.x), static_cast<int>(cow.y));

    // 2. Jump.
    if ((in.held(CowAction::Jump) || cow.jumping) && !cow.attacking && !cow.stunned) jumpStep(cow);

    // 3. Headbutt, or regain energy while the attack key is up.
    if ((in.held(CowAction::Attack) || cow.attacking) && !cow.jumping && !cow.stunned) {
        dashStep(cow);
    } else {
        cow.attacking = 0;
        if (!in.held(CowAction::Attack)) {
            cow.dashFrames = 0;
            if (cow.energy < kStartEnergy && !cow.stunned) cow.energy += kEnergyRegain;
        }
    }

    // 4. Turn, and steer unless in the air.
    if (!cow.attacking && !cow.stunned) {
        turnHeading(cow, in);
        if (!cow.jumping) steerFromKeys(cow, in);
    }

    // 5. Move.
    if (!cow.attacking && !cow.stunned) accelerateAndMove(cow, in);

    // 6. Flags of the last update.
    cow.gateOpen = 0;
    cow.blocked = 0;

    // 7. Stay on the map: back off until the cell ahead has ground.
    pushBack(cow, [&] { return !probeHasGround(cow); });

    // 8. The object ahead. Its touch may remove it, so nothing here looks at it
    // again afterwards.
    Cell probe = probeCell(cow);
    if (WorldObject* object = objectAt(probe.column, probe.row)) {
        if (overlaps(cow, *object))
            object->touch(&cow, static_cast<int>(object->x), static_cast<int>(object->y));
    }

    // 9. The rival.
    Cow* rival = cow.rival;
    if (rival && overlaps(cow, *rival))
        rival->touch(&cow, static_cast<int>(rival->x), static_cast<int>(rival->y));

    // 10. The ground under the centre. Every push above keeps the centre on
    // ground; the check only keeps a hand-placed cow from crashing the game.
    if (!standsOnGround(cow)) returnToGround(cow);
    bool wasInWater = cow.inWater;
    if (GroundTile* tile = groundAt(cellOf(cow.x), cellOf(cow.y))) {
        cow.groundUnder = tile;
        tile->step(&cow, tile->column, tile->row);
    }

    // 11. Out of the water.
    if (previousTile && previousTile->kind == '~' && cow.groundUnder && cow.groundUnder->kind != '~')
        cow.leftWater = 1;

    // 12 to 18. The standing rules.
    waterSpeed(cow, wasInWater && !cow.inWater);
    if (inHomeArea(cow, cow.x, cow.y)) depositHay(cow);
    if (rival && inHomeArea(*rival, cow.x, cow.y)) stealStoredHay(cow);
    if (rival) winTest(cow);
    if (cow.grown && cow.energy <= kStartEnergy) shrinkBack(cow);
    stunCount(cow);
    slowRecovery(cow);
}
