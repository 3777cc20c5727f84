// Any bytes as a settings file: every line either a setting or one warning,
// and what comes out is always a set of settings the game can use.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "app/arenas.h"
#include "app/settings.h"
#include "platform/key_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SettingsRead r = parseSettings(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ini");
    const Settings& s = r.settings;
    if (s.volume < 0 || s.volume > kVolumeSteps || !findArena(s.arena) || !isComputerLevel(s.computerLevel) ||
        !isModeName(s.mode))
        std::abort();
    std::set<uint32_t> keys;
    for (const CowBindings& c : s.bindings.cow)
        for (uint32_t k : c.key)
            if (!keyName(k) || reservedKeyUse(k) || !keys.insert(k).second) std::abort();
    // What is written reads back the same, with nothing to warn of.
    const SettingsRead again = parseSettings(formatSettings(s), "fuzz.ini");
    if (!again.warnings.empty() || !(again.settings == s)) std::abort();
    return 0;
}
