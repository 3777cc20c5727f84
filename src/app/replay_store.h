// Where the window's games are recorded: $XDG_DATA_HOME/hoofbrawl/replays/
// (~/.local/share/hoofbrawl/replays/ without it), one file a game named by
// its date and time, the newest kKeptReplays kept.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

constexpr int kKeptReplays = 50;
constexpr const char* kReplayExtension = ".hbreplay";

// The directory from the environment; empty when neither XDG_DATA_HOME nor
// HOME says where it is.
std::string replayDirectory();

// Makes the directory and its parents. False with `error` set (naming the
// directory and the cause) when it cannot.
bool makeReplayDirectory(const std::string& dir, std::string& error);

// A name for a game started at `when` (local time) that no file in `dir` has:
// "2026-12-08_15-20-31.hbreplay", then "..._2.hbreplay" and so on.
std::string newReplayPath(const std::string& dir, std::time_t when);

// The replays in `dir` (by this store's naming), oldest first.
std::vector<std::string> storedReplays(const std::string& dir);

// Deletes all but the newest `keep` replays in `dir`; other files stay.
void keepNewestReplays(const std::string& dir, int keep);
