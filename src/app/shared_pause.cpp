#include "app/shared_pause.h"

#include "app/phases.h"
#include "net/lockstep.h"

void sharePause(AppState& state, LockstepSession& session, int64_t nowMs) {
    // A request made on the title (a press that raced the end of the match)
    // is dropped rather than held over into the next game.
    if (state.pauseRequest != AppState::PauseRequest::None && state.phase == GamePhase::Playing)
        session.setPaused(state.pauseRequest == AppState::PauseRequest::Pause, nowMs);
    state.pauseRequest = AppState::PauseRequest::None;
    setPaused(state, session.paused());
}

std::string pausedByLine(const LockstepSession& session) {
    const int by = session.pausedBy();
    return by < 0 ? std::string() : std::string("Paused by ") + cowName(by);
}
