// Matches across two machines: `--headless --host PORT` or `--headless
// --join HOST[:PORT]`, the local cow driven by --boris/--horace (computer or
// idle), the other by the peer. Both processes print the same result line;
// the host's --steps is the limit of both.
#pragma once

#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "net/lockstep.h"

// The map a host offers: --map, or the shipped one (from the working
// directory). False with `error` set when it cannot be read.
bool readHostMapText(const Options& options, std::string& text, std::string& name, std::string& error);

// What --host/--join, --play and this build say of the session, the same for
// a window and for a headless match: the map and its loading are the caller's.
SessionConfig sessionConfigFor(const Options& options);

// SIGINT and SIGTERM while networked: noted, so that the match tells the
// other player it was left rather than leaving it ten seconds of silence.
void installNetStopSignals();
bool netStopRequested();

// Plays one networked match with no window; "Hosting on port N" and the
// result line go to `out`, what went wrong to `err`. Returns the exit status:
// 0 the match ran to its end, 1 it was refused, lost or out of sync.
int runNetworkMatchHeadless(const Options& options, std::FILE* out, std::FILE* err);
