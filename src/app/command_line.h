// The one place the command line is read. Every option is a row of one table,
// from which the parser, `--help` and the manual page's check all work.
// GLUT's own options (-display, -geometry, ...) are passed on to GLUT.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct OptionRow {
    const char* name;      // "--seed"
    const char* argument;  // "N", or "" for a switch
    const char* help;      // one line for --help
};
const std::vector<OptionRow>& optionTable();

struct Options {
    bool help = false;
    bool version = false;

    std::string replayFile;       // --replay: watch it in the window
    std::string checkReplayFile;  // --check-replay: re-run it without a screen

    // Who drives each cow: "keys", "idle", "computer", "computer:easy|normal|hard".
    std::string driver[2] = {"keys", "keys"};  // [0] Boris, [1] Horace
    bool driverGiven[2] = {false, false};
    uint64_t seed = 1;
    bool seedGiven = false;

    bool headless = false;
    int64_t steps = 23520;  // twenty minutes of game time at 19.6 steps a second
    std::string mapFile;     // --map: another arena
    std::string recordFile;  // --record: a headless game's replay

    int fullScreen = -1;  // -1 as kept in the settings, 0 --windowed, 1 --fullscreen
    bool mute = false;

    int hostPort = -1;         // --host PORT (0: any free port); -1 not hosting
    std::string joinAddress;   // --join HOST[:PORT]
    std::string playAs;        // --play boris|horace

    // What goes to glutInit: the program name and GLUT's own options.
    std::vector<std::string> glutArgs;
};

enum class ParseOutcome { Run, ExitSuccess, ExitUsage };

struct ParseResult {
    ParseOutcome outcome = ParseOutcome::Run;
    Options options;
    std::string error;  // for ExitUsage: what was wrong, one line
};

ParseResult parseCommandLine(int argc, const char* const* argv);

// Every option with its line, as --help prints it.
std::string usageText(const char* program);
std::string versionText();

// Acts on --help, --version and bad options: prints to `out` or `err` and
// returns the exit status; returns -1 when the game should run.
int answerCommandLine(const ParseResult& r, const char* program, std::FILE* out, std::FILE* err);

// Whether `who` names a driver --boris and --horace accept.
bool isDriverName(const std::string& who);
