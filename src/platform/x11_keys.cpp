#include "platform/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>

#include "platform/key_focus.h"

unsigned long keysymForVirtualKey(uint32_t vkCode) {
    if (vkCode >= 'A' && vkCode <= 'Z') return XK_a + (vkCode - 'A');
    if (vkCode >= '0' && vkCode <= '9') return XK_0 + (vkCode - '0');
    if (vkCode >= vk::F1 && vkCode <= vk::F12) return XK_F1 + (vkCode - vk::F1);
    // The keypad digits as they read with Num Lock on; the server maps both
    // meanings of a keypad key to the one keycode.
    if (vkCode >= 96 && vkCode <= 105) return XK_KP_0 + (vkCode - 96);
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
    case vk::LAlt: return XK_Alt_L;
    // Many layouts put AltGr where the right Alt is.
    case vk::RAlt: return XK_Alt_R;
    case vk::Return: return XK_Return;
    case vk::Tab: return XK_Tab;
    case vk::Backspace: return XK_BackSpace;
    case vk::Pause: return XK_Pause;
    case vk::Insert: return XK_Insert;
    case vk::Delete: return XK_Delete;
    case 36: return XK_Home;
    case 35: return XK_End;
    case 33: return XK_Prior;
    case 34: return XK_Next;
    case 106: return XK_KP_Multiply;
    case 107: return XK_KP_Add;
    case 109: return XK_KP_Subtract;
    case 110: return XK_KP_Decimal;
    case 111: return XK_KP_Divide;
    case vk::Semicolon: return XK_semicolon;
    case vk::Equals: return XK_equal;
    case vk::Comma: return XK_comma;
    case vk::Minus: return XK_minus;
    case vk::Period: return XK_period;
    case 191: return XK_slash;
    case 192: return XK_grave;
    case 219: return XK_bracketleft;
    case 220: return XK_backslash;
    case 221: return XK_bracketright;
    case 222: return XK_apostrophe;
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

bool X11Keys::focused() {
    if (!display_) return false;
    Display* d = static_cast<Display*>(display_);
    XErrorHandler previous = XSetErrorHandler(ignoreXError);
    ServerTree tree(d);
    const int64_t nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
    const bool reaches = focus_.reachesGame(tree, nowMs);
    XSetErrorHandler(previous);
    return reaches;
}

X11Keys::~X11Keys() {
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

bool X11Keys::isDown(uint32_t virtualKey) {
    if (!display_ || virtualKey >= 256) return false;
    unsigned char keycode = keycodes_[virtualKey];
    if (keycode == 0) return false;
    if (!focused()) return false;
    Display* d = static_cast<Display*>(display_);
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
