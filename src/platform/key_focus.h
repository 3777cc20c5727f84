// Whether a key typed now would reach the game: the rule by which the live
// keyboard reads every key as up while another program has the focus.
#pragma once

#include <cstdint>

// Window ids as the X server hands them out; 0 is no window.
using WindowId = unsigned long;

// The windows that belong to the game: its GLUT window and, while it is up,
// the image reader's error box. Ids are the server's, so any connection of the
// process may register one.
void addGameWindow(WindowId window);
void removeGameWindow(WindowId window);
bool isGameWindow(WindowId window);

// What the rule needs to know of the window tree, asked at the moment of the
// poll. A window that has gone away answers 0.
class WindowTree {
public:
    virtual ~WindowTree() = default;
    virtual WindowId root() = 0;
    // The focus window; 0 for none, `pointerRoot()` when the focus follows the pointer.
    virtual WindowId focus() = 0;
    virtual WindowId parent(WindowId window) = 0;
    // The child of `window` that holds the pointer, 0 when none does.
    virtual WindowId childUnderPointer(WindowId window) = 0;
    static constexpr WindowId pointerRoot() { return 1; }
};

// The server sends a key to the window under the pointer when that window lies
// inside the focus window, and to the focus window otherwise. True when that
// window is a game window or lies inside one. With no game window registered
// at all, always true: the whole keyboard, as read before the rule existed.
bool keysReachGame(WindowTree& tree);

// The focus answer for a burst of polls: a frame polls some fifty keys within a
// few milliseconds, and asking the server for the focus at each of them costs
// three or four round trips a poll (a loaded machine feels them). The answer
// is asked again once `kFocusReuseMs` have passed; the keys themselves are
// still read at every poll.
constexpr int64_t kFocusReuseMs = 20;

class FocusAnswer {
public:
    bool reachesGame(WindowTree& tree, int64_t nowMs);

private:
    bool known_ = false;
    bool answer_ = false;
    int64_t askedAtMs_ = 0;
};
