#include "platform/live_keys.h"

// GLX only for the id of the window GLUT made: the focus rule needs to know
// which window is the game's.
#include <GL/glx.h>

#include "platform/key_focus.h"
#include "platform/pad_keys.h"
#include "platform/x11_keys.h"

namespace {
X11Keys& keyboard() {
    static X11Keys k;
    return k;
}
}  // namespace

bool keyboardFocused() { return keyboard().focused(); }

KeySource& liveKeys() {
    X11Keys& keyboard = ::keyboard();
    static PadKeys pads;
    static EitherKeys either(keyboard, pads);
    static bool started = false;
    if (!started) {
        started = true;
        addGameWindow(glXGetCurrentDrawable());
        // The pads feed their cows' records; as keys they hold only SPACE.
        if (pads.start()) setCowPads(&pads);
    }
    return either;
}
