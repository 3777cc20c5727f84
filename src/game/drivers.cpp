#include "game/drivers.h"

std::unique_ptr<InputSource> makeInputSource(const std::string& name, uint64_t, KeySource* keys,
                                             std::string& error) {
    if (name == "idle" || (name == "keys" && !keys)) return std::make_unique<IdleInput>();
    if (name == "keys") return std::make_unique<KeyboardInput>(*keys);
    error = "no driver called '" + name + "'";
    return nullptr;
}
