// Drivers by the names the command line, the menu and replays use: "keys",
// "idle", and the computer player at its levels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/input_source.h"
#include "platform/keys.h"

// Makes the driver called `name` for one cow. `keys` is the key source the
// "keys" driver reads (null where there is no keyboard: such a driver is then
// idle); `seed` seeds a computer player. Null, with `error` set, for a name
// that names no driver.
std::unique_ptr<InputSource> makeInputSource(const std::string& name, uint64_t seed, KeySource* keys,
                                             std::string& error);
