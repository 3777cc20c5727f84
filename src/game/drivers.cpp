#include "game/drivers.h"

#include "ai/computer_player.h"

std::unique_ptr<InputSource> makeInputSource(const std::string& name, uint64_t seed, KeySource* keys,
                                             std::string& error) {
    if (name == "idle" || (name == "keys" && !keys)) return std::make_unique<IdleInput>();
    if (name == "keys") return std::make_unique<KeyboardInput>(*keys);
    ComputerLevel level;
    if (computerLevelFromDriver(name, level)) return std::make_unique<ComputerPlayer>(level, seed);
    error = "no driver called '" + name + "'";
    return nullptr;
}
