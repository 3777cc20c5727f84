// One player against the computer: the title's keys that choose it, the
// driver that lets either key set (and any pad) drive the player's cow, and
// who drives which cow.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/input_source.h"
#include "platform/keys.h"

// The number key held on the title: 0 for [1] (easy), 1 for [2] (normal),
// 2 for [3] (hard), -1 for none.
int soloKeyOnTitle();

// The level's driver name: "computer:easy", "computer:normal", "computer:hard".
std::string soloComputerDriver(int level);

// Both key sets at once, for the one person at the keyboard: whichever set
// (or pad) they use drives their cow.
class EitherKeysInput : public InputSource {
public:
    explicit EitherKeysInput(KeySource& keys) : keys_(keys) {}
    CowInput next(int cowIndex) override;
    std::string name() const override { return "keys"; }

private:
    KeySource& keys_;
};

// Whether drivers named this way make a one-player game: exactly one cow on
// the keys. Returns that cow's index, or -1.
int soloPlayerCow(const std::string& borisDriver, const std::string& horaceDriver);
