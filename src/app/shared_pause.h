// The window's pause in a game with another machine. The phase machine only
// asks (P, the Pause key, a pad's Start); the session tells the other game,
// and the window is paused exactly while the two agree it is.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_state.h"

class LockstepSession;

// Passes on the frame's request, then sets the window's pause (sounds with
// it) from the session: paused only while both games are in play and held.
void sharePause(AppState& state, LockstepSession& session, int64_t nowMs);

// "Paused by Horace" while paused, else "".
std::string pausedByLine(const LockstepSession& session);
