// The application shell's process-wide state: window size, phase, the space
// latch, idle pacing and the frame-rate counter.
#pragma once

#include <cstdint>
#include <cstdio>

enum class GamePhase { Splash, Title, Playing };

// Redisplays are requested only when more than 50 ms have passed since the last
// request, so frames are at least 51 ms apart.
struct IdlePacer {
    bool firstCall = true;
    int lastRequestMs = 0;
    // True when a redisplay is due now (and records the request time).
    bool poll(int nowMs);
    // Milliseconds to wait before the next poll can succeed.
    int msUntilDue(int nowMs) const;
    // The first time in milliseconds at which a poll succeeds (0 before the
    // first poll).
    int dueMs() const { return firstCall ? 0 : lastRequestMs + 51; }
};

struct FrameCounter {
    bool firstCall = true;
    int windowStartMs = 0;
    int32_t count = 0;
    // Counts one frame; prints "%5.1f fps (%i)\n" to out when a window of more
    // than 1000 ms has closed. Returns true when a line was printed.
    bool countFrame(int nowMs, std::FILE* out);
};

struct AppState {
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;
    GamePhase phase = GamePhase::Splash;
    bool spaceReleased = false;
    bool fullScreenKeyHeld = false;  // F11 as seen by the previous frame's check
    // Chosen on the title: -1 two players; 0, 1, 2 one player against the
    // computer at easy, normal, hard (see app/solo.h).
    int soloLevel = -1;
    bool splitView = false;       // V in a one-player game: both halves after all
    bool viewKeyHeld = false;     // V as seen by the previous frame
    // A playing game held: no step runs and the sounds are held with it.
    bool paused = false;
    bool pauseKeyHeld = false;  // P or Pause as seen by the previous playing frame
    // A local game pauses when the window loses the keyboard; watching a
    // replay does not.
    bool pauseOnFocusLoss = true;
    // Playing with another machine: P asks both games to pause or go on
    // (`pauseRequest`), and `paused` follows what the two agreed, set by the
    // network side. A lost focus pauses nothing there: it would stop the
    // other player's game for a window that popped up on this machine.
    bool pauseShared = false;
    enum class PauseRequest { None, Pause, Resume };
    PauseRequest pauseRequest = PauseRequest::None;
    // The title's menu is open: its keys (digits typed in an address) start no game.
    bool menuOpen = false;
    // M, - and = as seen by the previous frame, and how many more frames
    // show the sound level.
    bool muteKeyHeld = false, quieterKeyHeld = false, louderKeyHeld = false;
    int soundLevelFrames = 0;
    // Games won by Boris [0] and Horace [1] since the program started; the
    // current game's win is counted once.
    int wins[2] = {0, 0};
    bool winCounted = false;
    IdlePacer idle;
    FrameCounter frames;
};

extern AppState app;
