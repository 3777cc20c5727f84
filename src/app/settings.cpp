#include "app/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "app/arenas.h"
#include "platform/key_names.h"

namespace {

const char* const kActionNames[kCowActionCount] = {"up", "down", "left", "right", "jump", "headbutt", "help"};
const char* const kCowNames[2] = {"boris", "horace"};

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool parseYesNo(const std::string& v, bool& out) {
    if (v == "yes" || v == "true" || v == "1") return out = true, true;
    if (v == "no" || v == "false" || v == "0") return out = false, true;
    return false;
}

// A binding table no action of which shares a key with another or takes one
// of the game's own keys; otherwise the first clash, in words.
std::string bindingClash(const KeyBindings& b) {
    std::set<uint32_t> seen;
    for (int c = 0; c < 2; ++c)
        for (int a = 0; a < kCowActionCount; ++a) {
            uint32_t k = b.cow[c].key[a];
            if (reservedKeyUse(k))
                return std::string(keyName(k)) + " is the game's own key (" + reservedKeyUse(k) + ")";
            if (!seen.insert(k).second) return std::string(keyName(k)) + " is bound to two actions";
        }
    return "";
}

}  // namespace

bool operator==(const Settings& a, const Settings& b) {
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kCowActionCount; ++i)
            if (a.bindings.cow[c].key[i] != b.bindings.cow[c].key[i]) return false;
    return a.volume == b.volume && a.muted == b.muted && a.fullScreen == b.fullScreen && a.mode == b.mode &&
           a.computerLevel == b.computerLevel && a.address == b.address && a.arena == b.arena;
}

const char* actionSettingName(int action) {
    return action >= 0 && action < kCowActionCount ? kActionNames[action] : "?";
}

bool isComputerLevel(const std::string& level) { return level == "easy" || level == "normal" || level == "hard"; }
bool isModeName(const std::string& m) { return m == "two-players" || m == "computer" || m == "host" || m == "join"; }

std::string settingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    if (config && config[0] == '/') return std::string(config) + "/hoofbrawl/settings.ini";
    const char* home = std::getenv("HOME");
    if (home && home[0]) return std::string(home) + "/.config/hoofbrawl/settings.ini";
    return "";
}

SettingsRead parseSettings(const std::string& text, const std::string& path) {
    SettingsRead r;
    r.fileFound = true;
    Settings& s = r.settings;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    int bindingLines[2][kCowActionCount] = {};
    auto warn = [&](const std::string& cause) {
        r.warnings.push_back(path + ":" + std::to_string(lineNo) + ": " + cause + "; the default is used");
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            warn("'" + line + "' is not of the form name = value");
            continue;
        }
        const std::string name = trim(line.substr(0, eq));
        const std::string value = trim(line.substr(eq + 1));
        if (name == "volume") {
            bool digits = !value.empty() && value.size() <= 2 &&
                          value.find_first_not_of("0123456789") == std::string::npos;
            int v = digits ? std::atoi(value.c_str()) : -1;
            if (v < 0 || v > kVolumeSteps) warn("volume '" + value + "' is not a whole number from 0 to 10");
            else s.volume = v;
        } else if (name == "mute" || name == "fullscreen") {
            bool v = false;
            if (!parseYesNo(value, v)) warn(name + " '" + value + "' is neither yes nor no");
            else (name == "mute" ? s.muted : s.fullScreen) = v;
        } else if (name == "mode") {
            if (!isModeName(value)) warn("mode '" + value + "' is not two-players, computer, host or join");
            else s.mode = value;
        } else if (name == "computer-level") {
            if (!isComputerLevel(value)) warn("computer-level '" + value + "' is not easy, normal or hard");
            else s.computerLevel = value;
        } else if (name == "address") {
            // A host name, an IPv4 or a bracketed IPv6 address, and a port.
            bool fine = !value.empty() && value.size() <= 255 &&
                        value.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "0123456789.-_:[]") == std::string::npos;
            if (!fine) warn("address '" + value + "' is not a host name or address");
            else s.address = value;
        } else if (name == "arena") {
            if (!findArena(value)) warn("no arena is called '" + value + "'");
            else s.arena = value;
        } else {
            // "boris.up", "horace.headbutt"...
            int cow = -1, action = -1;
            const size_t dot = name.find('.');
            if (dot != std::string::npos) {
                for (int c = 0; c < 2; ++c)
                    if (name.compare(0, dot, kCowNames[c]) == 0 && dot == std::strlen(kCowNames[c])) cow = c;
                for (int a = 0; a < kCowActionCount; ++a)
                    if (name.substr(dot + 1) == kActionNames[a]) action = a;
            }
            if (cow < 0 || action < 0) {
                warn("no setting is called '" + name + "'");
                continue;
            }
            const uint32_t key = keyFromName(value);
            if (!key) warn("no key is called '" + value + "'");
            else {
                s.bindings.cow[cow].key[action] = key;
                bindingLines[cow][action] = lineNo;
            }
        }
    }
    // Keys are checked as a whole: two actions on one key would leave one of
    // them dead, so a clash puts every binding back to its default.
    const std::string clash = bindingClash(s.bindings);
    if (!clash.empty()) {
        int first = 0;
        for (auto& cow : bindingLines)
            for (int l : cow)
                if (l && (!first || l < first)) first = l;
        lineNo = first;
        r.warnings.push_back(path + ":" + std::to_string(lineNo) + ": " + clash +
                             "; every key binding is set to its default");
        s.bindings = defaultKeyBindings();
    }
    return r;
}

SettingsRead readSettingsFile(const std::string& path) {
    SettingsRead r;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Nothing there (or no directory to hold it): the defaults, quietly.
        if (errno != ENOENT && errno != ENOTDIR) {
            r.fileFound = true;
            r.warnings.push_back(path + ": cannot read it (" + std::strerror(errno) + "); the defaults are used");
        }
        return r;
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            r.fileFound = true;
            r.warnings.push_back(path + ": cannot read it (" + std::strerror(errno) + "); the defaults are used");
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
        // A settings file is a few hundred bytes; anything huge is not one.
        if (text.size() > (1u << 20)) {
            r.fileFound = true;
            r.warnings.push_back(path + ": cannot read it (larger than a megabyte); the defaults are used");
            ::close(fd);
            return r;
        }
    }
    ::close(fd);
    return parseSettings(text, path);
}

std::string formatSettings(const Settings& s) {
    std::string t = "# Hoofbrawl's settings, written by the game whenever one changes.\n";
    t += "volume = " + std::to_string(s.volume) + "\n";
    t += std::string("mute = ") + (s.muted ? "yes" : "no") + "\n";
    t += std::string("fullscreen = ") + (s.fullScreen ? "yes" : "no") + "\n";
    t += "mode = " + s.mode + "\n";
    t += "computer-level = " + s.computerLevel + "\n";
    t += "address = " + s.address + "\n";
    t += "arena = " + s.arena + "\n";
    for (int c = 0; c < 2; ++c)
        for (int a = 0; a < kCowActionCount; ++a) {
            const char* name = keyName(s.bindings.cow[c].key[a]);
            t += std::string(kCowNames[c]) + "." + kActionNames[a] + " = " + (name ? name : "?") + "\n";
        }
    return t;
}

namespace {

bool makeDirectories(const std::string& dir, std::string& error) {
    if (dir.empty()) return true;
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0) return true;
    const size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeDirectories(dir.substr(0, slash), error)) return false;
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
        error = dir + ": cannot make the directory (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool writeSettingsFile(const Settings& s, const std::string& path, std::string& error) {
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && !makeDirectories(path.substr(0, slash), error)) return false;
    const std::string temp = path + ".new";
    const std::string text = formatSettings(s);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = temp + ": cannot write it (" + std::strerror(errno) + ")";
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = temp + ": cannot write it (" + std::strerror(errno) + ")";
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // On disk before the rename, or a crash could leave an empty file in its place.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = temp + ": cannot write it (" + std::strerror(errno) + ")";
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = path + ": cannot replace it (" + std::strerror(errno) + ")";
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

void SettingsStore::load(const std::string& path, std::FILE* messages) {
    path_ = path;
    messages_ = messages;
    if (path.empty()) {
        live_ = kept_ = Settings();
        return;
    }
    SettingsRead r = readSettingsFile(path);
    for (const std::string& w : r.warnings)
        if (messages) std::fprintf(messages, "hoofbrawl: %s\n", w.c_str());
    live_ = kept_ = r.settings;
}

void SettingsStore::save() {
    std::string error;
    if (path_.empty()) error = "no HOME or XDG_CONFIG_HOME to keep them in";
    else if (writeSettingsFile(kept_, path_, error)) {
        ++writes_;
        return;
    }
    if (!failureSaid_ && messages_) {
        std::fprintf(messages_, "hoofbrawl: cannot save the settings: %s; the game plays on without them\n",
                     error.c_str());
        std::fflush(messages_);
    }
    failureSaid_ = true;
}
