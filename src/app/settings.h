// The player's settings, kept from one run to the next in
// $XDG_CONFIG_HOME/hoofbrawl/settings.ini (~/.config/hoofbrawl/settings.ini).
// One "name = value" a line; '#' starts a comment line. The file is written
// only when the player changes a setting, whole, through a temporary file
// renamed over the old one, so a crash leaves the old file or the new one.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "game/key_bindings.h"

constexpr int kVolumeSteps = 10;

struct Settings {
    int volume = kVolumeSteps;  // tenths of full volume, 0..10
    bool muted = false;
    bool fullScreen = false;
    KeyBindings bindings = defaultKeyBindings();
    std::string mode = "two-players";  // two-players, computer, host, join
    std::string computerLevel = "normal";
    std::string address = "127.0.0.1";
    std::string arena = "Farm";
};

bool operator==(const Settings& a, const Settings& b);
inline bool operator!=(const Settings& a, const Settings& b) { return !(a == b); }

// Where the file lives by the environment: XDG_CONFIG_HOME, else HOME/.config.
// Empty when neither names a directory.
std::string settingsPath();

struct SettingsRead {
    Settings settings;
    bool fileFound = false;
    // One line each: the file, the line where there is one, and the cause.
    std::vector<std::string> warnings;
};

// The settings the text gives; what is missing or bad keeps its default.
SettingsRead parseSettings(const std::string& text, const std::string& path);
// Reads the file; a missing file is no warning, an unreadable one is.
SettingsRead readSettingsFile(const std::string& path);

std::string formatSettings(const Settings& s);
// Writes the whole file through a temporary beside it, making the directory
// when it is missing. False with `error` set (naming the file and the cause).
bool writeSettingsFile(const Settings& s, const std::string& path, std::string& error);

// The names the settings file and the menu use for each cow action.
const char* actionSettingName(int action);  // "up", "down", ... "help"

// Whether a computer level or a mode name is one the settings accept.
bool isComputerLevel(const std::string& level);
bool isModeName(const std::string& mode);

// The settings in force for this run: those kept in the file, with the
// command line's overrides laid over them. A change the player makes goes
// into both and is written at once; an override alone is never written.
class SettingsStore {
public:
    // Reads `path` (empty: nowhere to keep them) and prints its warnings.
    void load(const std::string& path, std::FILE* messages = stderr);
    Settings& live() { return live_; }
    const Settings& kept() const { return kept_; }
    const std::string& path() const { return path_; }
    // The player changed something: `change` is applied to both, then the
    // kept settings are written. A failed write is said once, on `messages_`;
    // the game plays on with the change.
    template <class Change>
    void change(Change&& apply) {
        apply(live_);
        Settings before = kept_;
        apply(kept_);
        if (kept_ != before) save();
    }
    int writes() const { return writes_; }

private:
    void save();
    Settings live_;
    Settings kept_;
    std::string path_;
    std::FILE* messages_ = stderr;
    bool failureSaid_ = false;
    int writes_ = 0;
};
