#include "platform/window_identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "assets/icon_picture.h"

std::vector<unsigned long> netWmIconData() {
    std::vector<unsigned long> data;
    for (int size : kIconSizes) {
        // Task bars never show more; the largest sizes would only fatten the property.
        if (size > 128) continue;
        data.push_back(static_cast<unsigned long>(size));
        data.push_back(static_cast<unsigned long>(size));
        for (uint32_t p : iconPixels(size)) data.push_back(p);
    }
    return data;
}

void identifyGameWindow() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window) return;

    XClassHint hint;
    hint.res_name = const_cast<char*>(kWindowResName);
    hint.res_class = const_cast<char*>(kWindowResClass);
    XSetClassHint(display, window, &hint);

    // Format 32 properties travel as longs in Xlib, whatever the long's width.
    std::vector<unsigned long> icon = netWmIconData();
    Atom netWmIcon = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(icon.data()), int(icon.size()));
    XFlush(display);
}
