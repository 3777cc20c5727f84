#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifndef HOOFBRAWL_VERSION
#define HOOFBRAWL_VERSION "0.0.0"
#endif

const std::vector<OptionRow>& optionTable() {
    static const std::vector<OptionRow> rows = {
        {"--help", "", "print this list of options and exit"},
        {"--version", "", "print the game's version and exit"},
        {"--replay", "FILE", "watch a recorded game in the window"},
        {"--check-replay", "FILE", "re-run a recorded game without a screen and check it"},
        {"--boris", "WHO", "who drives Boris: keys, computer[:easy|normal|hard] or idle"},
        {"--horace", "WHO", "who drives Horace: keys, computer[:easy|normal|hard] or idle"},
        {"--seed", "N", "seed the computer players"},
        {"--headless", "", "play a match without a window or sound and print the result"},
        {"--steps", "N", "with --headless: stop after N steps (default 23520)"},
        {"--map", "FILE", "play on another map file"},
        {"--record", "FILE", "with --headless: record the match as a replay"},
        {"--fullscreen", "", "start in full screen"},
        {"--windowed", "", "start in a window"},
        {"--mute", "", "start with the sound muted"},
        {"--host", "PORT", "host a game for a player on another machine (0: any free port)"},
        {"--join", "HOST[:PORT]", "join a game hosted on another machine"},
        {"--play", "COW", "with --host or --join: play boris or horace"},
    };
    return rows;
}

namespace {

// GLUT's options and whether each takes a value.
struct GlutOption {
    const char* name;
    bool takesValue;
};
constexpr GlutOption kGlutOptions[] = {
    {"-display", true}, {"-geometry", true}, {"-iconic", false}, {"-indirect", false},
    {"-direct", false},  {"-gldebug", false},  {"-sync", false},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : optionTable())
        if (name == row.name) return &row;
    return nullptr;
}

bool parseWhole(const std::string& text, int64_t low, int64_t high, int64_t& value) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v > static_cast<unsigned long long>(high)) return false;
    if (static_cast<int64_t>(v) < low) return false;
    value = static_cast<int64_t>(v);
    return true;
}

bool parseSeed(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    value = v;
    return true;
}

}  // namespace

bool isDriverName(const std::string& who) {
    return who == "keys" || who == "idle" || who == "computer" || who == "computer:easy" ||
           who == "computer:normal" || who == "computer:hard";
}

ParseResult parseCommandLine(int argc, const char* const* argv) {
    ParseResult r;
    Options& o = r.options;
    o.glutArgs.push_back(argc > 0 && argv[0] ? argv[0] : "hoofbrawl");
    auto fail = [&r](const std::string& message) {
        r.outcome = ParseOutcome::ExitUsage;
        r.error = message;
        return r;
    };
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i] ? argv[i] : "";
        bool glut = false;
        for (const GlutOption& g : kGlutOptions) {
            if (arg != g.name) continue;
            glut = true;
            o.glutArgs.push_back(arg);
            if (g.takesValue) {
                if (i + 1 >= argc) return fail("option " + arg + " needs a value");
                o.glutArgs.push_back(argv[++i]);
            }
        }
        if (glut) continue;

        std::string value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            inlineValue = true;
        }
        const OptionRow* row = findOption(arg);
        if (!row) return fail("unknown option " + arg);
        const bool needsValue = row->argument[0] != '\0';
        if (needsValue && !inlineValue) {
            if (i + 1 >= argc) return fail("option " + arg + " needs a value (" + row->argument + ")");
            value = argv[++i];
        } else if (!needsValue && inlineValue) {
            return fail("option " + arg + " takes no value");
        }

        int64_t n = 0;
        if (arg == "--help") o.help = true;
        else if (arg == "--version") o.version = true;
        else if (arg == "--replay") o.replayFile = value;
        else if (arg == "--check-replay") o.checkReplayFile = value;
        else if (arg == "--boris" || arg == "--horace") {
            if (!isDriverName(value)) return fail("option " + arg + ": no driver called '" + value + "'");
            const int cow = arg == "--boris" ? 0 : 1;
            o.driver[cow] = value;
            o.driverGiven[cow] = true;
        } else if (arg == "--seed") {
            if (!parseSeed(value, o.seed)) return fail("option --seed: '" + value + "' is not a whole number");
            o.seedGiven = true;
        } else if (arg == "--headless") o.headless = true;
        else if (arg == "--steps") {
            if (!parseWhole(value, 1, INT64_C(1) << 40, n))
                return fail("option --steps: '" + value + "' is not a positive whole number");
            o.steps = n;
        } else if (arg == "--map") o.mapFile = value;
        else if (arg == "--record") o.recordFile = value;
        else if (arg == "--fullscreen") o.fullScreen = 1;
        else if (arg == "--windowed") o.fullScreen = 0;
        else if (arg == "--mute") o.mute = true;
        else if (arg == "--host") {
            if (!parseWhole(value, 0, 65535, n)) return fail("option --host: '" + value + "' is not a port (0 to 65535)");
            o.hostPort = static_cast<int>(n);
        } else if (arg == "--join") {
            if (value.empty()) return fail("option --join needs an address");
            o.joinAddress = value;
        } else if (arg == "--play") {
            if (value != "boris" && value != "horace") return fail("option --play: '" + value + "' is neither boris nor horace");
            o.playAs = value;
        }
        if ((arg == "--replay" || arg == "--check-replay" || arg == "--map" || arg == "--record") && value.empty())
            return fail("option " + arg + " needs a file name");
    }
    if (o.help || o.version) {
        r.outcome = ParseOutcome::ExitSuccess;
        return r;
    }
    if (!o.replayFile.empty() && !o.checkReplayFile.empty())
        return fail("--replay and --check-replay cannot be used together");
    if (o.hostPort >= 0 && !o.joinAddress.empty()) return fail("--host and --join cannot be used together");
    if (!o.playAs.empty() && o.hostPort < 0 && o.joinAddress.empty())
        return fail("--play goes with --host or --join");
    if (!o.recordFile.empty() && !o.headless) return fail("--record goes with --headless");
    if ((o.hostPort >= 0 || !o.joinAddress.empty()) && (!o.replayFile.empty() || !o.checkReplayFile.empty()))
        return fail("a replay is watched or checked alone, not with --host or --join");
    return r;
}

std::string usageText(const char* program) {
    std::string s = std::string("Usage: ") + (program ? program : "hoofbrawl") + " [OPTION]...\n";
    s += "Two cows, one farm, sixty bales of hay.\n\nOptions:\n";
    for (const OptionRow& row : optionTable()) {
        std::string left = std::string("  ") + row.name;
        if (row.argument[0]) left += std::string(" ") + row.argument;
        if (left.size() < 24) left.resize(24, ' ');
        else left += "  ";
        s += left + row.help + "\n";
    }
    s += "\nGLUT's own options (-display, -geometry, ...) are passed on to GLUT.\n";
    return s;
}

std::string versionText() { return std::string("hoofbrawl ") + HOOFBRAWL_VERSION + "\n"; }

int answerCommandLine(const ParseResult& r, const char* program, std::FILE* out, std::FILE* err) {
    switch (r.outcome) {
    case ParseOutcome::Run:
        return -1;
    case ParseOutcome::ExitSuccess:
        std::fputs(r.options.help ? usageText(program).c_str() : versionText().c_str(), out);
        return 0;
    case ParseOutcome::ExitUsage:
        std::fprintf(err, "%s: %s\n", program ? program : "hoofbrawl", r.error.c_str());
        std::fputs(usageText(program).c_str(), err);
        return 2;
    }
    return 2;
}
