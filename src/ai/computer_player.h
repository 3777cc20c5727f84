// A computer player: drives one cow through its input record alone, the seven
// keys a person holds, from what a person at the screen can see (the map, both
// cows, the hay they carry and have stored, the items, the gates). Its only
// chance is its own seeded generator, so the same game and seed give the same
// records.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/input_source.h"

enum class ComputerLevel { Easy, Normal, Hard };

// What sets the levels apart: never speed or strength, only how late it sees
// the rival, how often it thinks again, how often it settles for worse, and
// which tactics it knows.
struct ComputerStyle {
    int reactionSteps;     // the rival it acts on is this many steps old
    int replanSteps;       // steps between fresh plans
    int worseGoalPercent;  // chance a plan takes a farther hay
    int homeWithCarried;   // turns home with this much when home is nearer than hay
    int raidAtStored;      // the rival's stores worth a raid; 0: only when no hay is left
    int chaseCarried;      // the rival's carried hay worth a chase; 0: never chases
    int chaseCells;        // how far it goes for that chase
    int itemCells;         // how far it goes for a syringe or a growth pill
    int hitPercent;        // chance it takes a headbutt that would land
    bool defendsHome;      // turns back to butt a rival at its home
    bool fleesWhenLoaded;  // routes around a rival able to butt it
};

const ComputerStyle& computerStyle(ComputerLevel level);
const char* computerLevelName(ComputerLevel level);
// "computer" (normal), "computer:easy", "computer:normal", "computer:hard".
bool computerLevelFromDriver(const std::string& driver, ComputerLevel& level);

// Small, fast and the same everywhere: xorshift64*, seeded through splitmix64.
class ComputerRandom {
public:
    explicit ComputerRandom(uint64_t seed);
    uint64_t next();
    int below(int n);  // 0 .. n-1 (n > 0)

private:
    uint64_t state_;
};

class ComputerPlayer : public InputSource {
public:
    ComputerPlayer(ComputerLevel level, uint64_t seed);
    ~ComputerPlayer() override;
    CowInput next(int cowIndex) override;
    std::string name() const override;

    // What it is about, for tests and the benchmark: "hay", "home", "raid",
    // "chase", "item", "gate", "wander", "unstick" or "none".
    const char* goalName() const;

private:
    struct Mind;
    std::unique_ptr<Mind> mind_;
};
