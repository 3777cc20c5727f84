// A network match in the window (`--host PORT`, `--join HOST[:PORT]`): the
// frame asks this object whether a step may run and what to show; the
// session behind it does the handshake and the lockstep.
#pragma once

#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/command_line.h"
#include "platform/keys.h"

class NetPlay;

// Starts hosting or joining as the options say, before the game's world is
// built (the start-up test match needs the world empty). Prints "Hosting on
// port N" once it listens. Null when the options ask for no network, or, with
// `error` set, when it cannot start.
std::unique_ptr<NetPlay> startNetPlay(const Options& options, std::string& error);

class NetPlay {
public:
    virtual ~NetPlay() = default;
    // Moves the network on; called between frames as well as in them, so
    // that the round trip is measured to the millisecond and not to the frame.
    virtual void service() = 0;
    // At the start of each frame: starts play when the handshake is done,
    // ends it when the match ended, keeps Space from starting a game alone.
    virtual void beforeFrame(AppState& state) = 0;
    // The playing frame's step: the local player's record read when the
    // lockstep asks for one, and the step run only when both records are
    // known. False when the step is held.
    virtual bool step(KeySource& keys) = 0;
    // The overlay: round trip, delay, waiting, the local half.
    virtual void draw(const AppState& state) = 0;
    // N: asks the other player for a rematch instead of starting alone.
    virtual void checkRematchKey(AppState& state) = 0;
    // After the frame's phase: its pause request goes to the other game, and
    // the window is paused while both agree it is.
    virtual void sharePause(AppState& state) = 0;
    // What the pause panel adds: who paused.
    virtual std::string pauseNote() const = 0;
    // Whether the network match still owns the window (false once it ended
    // and the title screen is back).
    virtual bool active() const = 0;
    // ESC or the window closing: the other player is told at once.
    virtual void quit() = 0;
};
