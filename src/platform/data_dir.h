// Where the game's files are: chosen once at start-up, before anything is read.
// Everything else keeps reading paths relative to the working directory; this
// only decides which directory that is.
#pragma once

#include <functional>
#include <string>

// The file whose presence marks a data directory.
extern const char* const kDataMarker;

// The places looked in, in order. An empty place is not looked in (no install
// directory compiled in, or the executable's path unknown).
struct DataDirPlaces {
    std::string current;    // the working directory as started
    std::string installed;  // the installed game's data directory
    std::string besideExe;  // data/ beside the executable, as the build lays it out
};

struct DataDirChoice {
    std::string dir;      // empty when no place holds the marker
    bool isCurrent = false;
    std::string message;  // one line for standard error when dir is empty
};

// Pure: asks holdsMarker(dir) of each place in order and takes the first yes.
DataDirChoice chooseDataDir(const DataDirPlaces& places,
                            const std::function<bool(const std::string& dir)>& holdsMarker);

// The places on this machine: the working directory, the compiled-in install
// directory and data/ beside /proc/self/exe.
DataDirPlaces dataDirPlacesHere();

// Chooses and changes into the data directory. When none holds the map it
// writes the one-line message on standard error and exits with status 1, so
// nothing (no window) comes up.
void enterDataDirOrExit();
