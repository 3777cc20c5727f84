#include "platform/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>

#include "platform/key_focus.h"

unsigned long keysymForVirtualKey(uint32_t vkCode) {
    if (vkCode >= 'A' && vkCode <= 'Z') return XK_a + (vkCode - 'A');
    if (vkCode >= '0' && vkCode <= '9') return XK_0 + (vkCode - '0');
    if (vkCode >= vk::F1 && vkCode <= vk::F12) return XK_F1 + (vkCode - vk::F1);
    switch (vkCode) {
    case vk::Escape: return XK_Escape;
    case vk::Space: return XK_space;
    case vk::Left: return XK_Left;
    case vk::Up: return XK_Up;
    case vk::Right: return XK_Right;
    case vk::Down: return XK_Down;
    case vk::LShift: return XK_Shift_L;
    case vk::RShift: return XK_Shift_R;
    case vk::LControl: return XK_Control_L;
    case vk::RControl: return XK_Control_R;
    case 13: return XK_Return;
    default: return 0;
    }
}

namespace {

// A window may go away between two questions; its BadWindow must not end the
// game through Xlib's default handler. Installed only around the questions.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

class ServerTree : public WindowTree {
public:
    explicit ServerTree(Display* d) : d_(d) {}
    WindowId root() override { return DefaultRootWindow(d_); }
    WindowId focus() override {
        Window w = None;
        int revert = 0;
        XGetInputFocus(d_, &w, &revert);
        if (w == PointerRoot) return pointerRoot();
        return w;
    }
    WindowId parent(WindowId window) override {
        Window rootOut = None, parentOut = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_, window, &rootOut, &parentOut, &children, &count)) return 0;
        if (children) XFree(children);
        return parentOut;
    }
    WindowId childUnderPointer(WindowId window) override {
        Window rootOut = None, child = None;
        int rx, ry, wx, wy;
        unsigned mask;
        if (!XQueryPointer(d_, window, &rootOut, &child, &rx, &ry, &wx, &wy, &mask)) return 0;
        return child;
    }

private:
    Display* d_;
};

}  // namespace

X11Keys::X11Keys() {
    // A connection of our own: the key map and the focus are the server's,
    // whichever client asks.
    Display* d = XOpenDisplay(nullptr);
    display_ = d;
    if (!d) return;
    for (uint32_t code = 0; code < 256; ++code) {
        unsigned long sym = keysymForVirtualKey(code);
        keycodes_[code] = sym ? XKeysymToKeycode(d, sym) : 0;
    }
}

X11Keys::~X11Keys() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

bool X11Keys::isDown(uint32_t virtualKey) {
    if (!display_ || virtualKey >= 256) return false;
    unsigned char keycode = keycodes_[virtualKey];
    if (keycode == 0) return false;
    Display* d = static_cast<Display*>(display_);
    XErrorHandler previous = XSetErrorHandler(ignoreXError);
    ServerTree tree(d);
    const int64_t nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
    const bool reachesGame = focus_.reachesGame(tree, nowMs);
    XSetErrorHandler(previous);
    if (!reachesGame) return false;
    if (!held_ || !haveKeymap_) XQueryKeymap(d, keymap_);
    haveKeymap_ = held_;
    return (keymap_[keycode / 8] >> (keycode % 8)) & 1;
}

void X11Keys::holdState() {
    held_ = true;
    haveKeymap_ = false;
}

void X11Keys::releaseState() {
    held_ = false;
    haveKeymap_ = false;
}
