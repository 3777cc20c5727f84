// Who drives a cow: each step the game asks the cow's source for one record.
// The keyboard (and pads), a computer player, a replay and a network peer are
// all sources; the step never knows which.
#pragma once

#include <string>

#include "game/cow_input.h"
#include "platform/keys.h"

class InputSource {
public:
    virtual ~InputSource() = default;
    // The record for cow `cowIndex` (kBoris or kHorace) in the coming step.
    virtual CowInput next(int cowIndex) = 0;
    // How replays and result lines name this driver: "keys", "idle",
    // "computer:normal", ...
    virtual std::string name() const = 0;
};

// Game controllers, each feeding its cow's record directly.
class CowPads {
public:
    virtual ~CowPads() = default;
    // What the pad that drives cow `cowIndex` holds now; nothing when none does.
    virtual CowInput cowInput(int cowIndex) = 0;
};

// The pads the keyboard driver or-s into its cows' records: the live pads in
// the game, a test's, or none (null, the default).
void setCowPads(CowPads* pads);
CowPads* cowPads();
// What every pad holds together: a player alone, or the local player of a
// networked game, drives their cow with any pad.
CowInput everyPadInput();

// A driver known only by its name, for a replay's header: the player on
// the other machine, whose records come from the network.
class NamedInput : public InputSource {
public:
    explicit NamedInput(std::string name) : name_(std::move(name)) {}
    CowInput next(int) override { return {}; }
    std::string name() const override { return name_; }

private:
    std::string name_;
};

// A cow nobody drives.
class IdleInput : public InputSource {
public:
    CowInput next(int) override { return {}; }
    std::string name() const override { return "idle"; }
};

// The keys bound to the cow in the binding table in force, as `keys` holds
// them now (the live keyboard or a test's script), or-ed with the cow's pad.
class KeyboardInput : public InputSource {
public:
    explicit KeyboardInput(KeySource& keys) : keys_(keys) {}
    CowInput next(int cowIndex) override;
    std::string name() const override { return "keys"; }

private:
    KeySource& keys_;
};
