#include "platform/key_focus.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<WindowId> gameWindows;

// Window trees are shallow (root, a window manager's frame or two, the
// window); the bound only keeps a corrupt answer from looping for ever.
constexpr int kMaxDepth = 64;
}  // namespace

void addGameWindow(WindowId window) {
    if (window && !isGameWindow(window)) gameWindows.push_back(window);
}

void removeGameWindow(WindowId window) {
    gameWindows.erase(std::remove(gameWindows.begin(), gameWindows.end(), window), gameWindows.end());
}

bool isGameWindow(WindowId window) {
    return window && std::find(gameWindows.begin(), gameWindows.end(), window) != gameWindows.end();
}

bool keysReachGame(WindowTree& tree) {
    // Without a window of its own known (a GL binding that gave no window id)
    // the rule cannot tell; the keyboard is read whole rather than never.
    if (gameWindows.empty()) return true;
    WindowId focus = tree.focus();
    if (focus == 0) return false;
    const WindowId root = tree.root();
    if (focus == WindowTree::pointerRoot()) focus = root;
    if (isGameWindow(focus)) return true;

    // The focus window and its ancestors up to the root.
    std::vector<WindowId> focusLine{focus};
    if (focus != root) {
        for (WindowId w = tree.parent(focus); w && focusLine.size() < kMaxDepth; w = tree.parent(w)) {
            if (isGameWindow(w)) return true;  // the focus lies inside a game window
            focusLine.push_back(w);
            if (w == root) break;
        }
    }

    // Down from the root along the windows under the pointer. Keys go there
    // only below the focus window; once the pointer's line leaves the focus
    // window's line above it, keys go to the focus window, which is not ours.
    bool belowFocus = focus == root;
    WindowId w = root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        if (belowFocus && isGameWindow(w)) return true;
        if (w == focus) belowFocus = true;
        if (!belowFocus && std::find(focusLine.begin(), focusLine.end(), w) == focusLine.end()) return false;
        w = tree.childUnderPointer(w);
        if (!w) return false;
    }
    return false;
}

bool FocusAnswer::reachesGame(WindowTree& tree, int64_t nowMs) {
    if (!known_ || nowMs - askedAtMs_ >= kFocusReuseMs || nowMs < askedAtMs_) {
        answer_ = keysReachGame(tree);
        askedAtMs_ = nowMs;
        known_ = true;
    }
    return answer_;
}
