#include "platform/message_box.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/key_focus.h"

bool errorPopups = true;

namespace {

constexpr int kMargin = 20;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;

std::vector<std::string> splitLines(const char* text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += *p;
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

struct Layout {
    int width, height, lineHeight, ascent;
    XRectangle button;
};

Layout layOut(XFontStruct* font, const std::vector<std::string>& lines) {
    Layout l;
    l.ascent = font ? font->ascent : 11;
    l.lineHeight = font ? font->ascent + font->descent + 2 : 15;
    int textWidth = 0;
    for (const auto& line : lines)
        textWidth = std::max(textWidth, font ? XTextWidth(font, line.c_str(), int(line.size()))
                                             : int(line.size()) * 7);
    l.width = std::max(textWidth, kButtonWidth) + 2 * kMargin;
    l.width = std::max(l.width, 240);
    int textHeight = int(lines.size()) * l.lineHeight;
    l.height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
    l.button = {short((l.width - kButtonWidth) / 2), short(l.height - kMargin - kButtonHeight),
                (unsigned short)kButtonWidth, (unsigned short)kButtonHeight};
    return l;
}

void paint(Display* d, Window w, GC gc, XFontStruct* font, const Layout& l,
           const std::vector<std::string>& lines) {
    const int screen = DefaultScreen(d);
    const unsigned long black = BlackPixel(d, screen), white = WhitePixel(d, screen);
    XSetForeground(d, gc, white);
    XFillRectangle(d, w, gc, 0, 0, l.width, l.height);
    XSetForeground(d, gc, black);
    for (size_t i = 0; i < lines.size(); ++i)
        XDrawString(d, w, gc, kMargin, kMargin + l.ascent + int(i) * l.lineHeight, lines[i].c_str(),
                    int(lines[i].size()));
    XDrawRectangle(d, w, gc, l.button.x, l.button.y, l.button.width, l.button.height);
    const char* ok = "OK";
    int okWidth = font ? XTextWidth(font, ok, 2) : 14;
    XDrawString(d, w, gc, l.button.x + (l.button.width - okWidth) / 2,
                l.button.y + (l.button.height + l.ascent) / 2 - 1, ok, 2);
    XFlush(d);
}

bool insideButton(const Layout& l, int x, int y) {
    return x >= l.button.x && x < l.button.x + l.button.width && y >= l.button.y &&
           y < l.button.y + l.button.height;
}

// A modal notice on a connection of its own: it returns once the user has
// pressed Enter or Escape, clicked OK, or closed the window. False when no
// display can be opened.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool popUp(const char* text) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return false;
    // A focus change refused by the server (the owner gone, a window not yet
    // viewable) must not end the game through Xlib's default handler.
    XErrorHandler previousHandler = XSetErrorHandler(ignoreXError);
    const int screen = DefaultScreen(d);
    const std::vector<std::string> lines = splitLines(text);
    XFontStruct* font = XLoadQueryFont(d, "fixed");
    const Layout l = layOut(font, lines);

    // Owned by the window with the keyboard focus, centred over the screen.
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    const int x = (DisplayWidth(d, screen) - l.width) / 2, y = (DisplayHeight(d, screen) - l.height) / 2;
    Window w = XCreateSimpleWindow(d, RootWindow(d, screen), x, y, l.width, l.height, 1,
                                   BlackPixel(d, screen), WhitePixel(d, screen));
    XStoreName(d, w, "Error");
    XSizeHints hints{};
    hints.flags = PPosition | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.min_width = hints.max_width = l.width;
    hints.min_height = hints.max_height = l.height;
    XSetWMNormalHints(d, w, &hints);
    if (focus != None && focus != PointerRoot) XSetTransientForHint(d, w, focus);
    Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, w, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&dialog), 1);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &deleteWindow, 1);
    XSelectInput(d, w, ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
    GC gc = XCreateGC(d, w, 0, nullptr);
    if (font) XSetFont(d, gc, font->fid);
    // While it is up the box is the game's window: keys typed into it are
    // typed into the game.
    addGameWindow(w);
    XMapRaised(d, w);

    bool pressedOnButton = false;
    unsigned closingKey = 0;
    for (bool open = true; open;) {
        XEvent e;
        XNextEvent(d, &e);
        switch (e.type) {
        case MapNotify:
            XSetInputFocus(d, w, RevertToParent, CurrentTime);
            break;
        case Expose:
            if (e.xexpose.count == 0) paint(d, w, gc, font, l, lines);
            break;
        // Keys close the box when they come up again: Escape is also the
        // game's quit key, polled as soon as the first frame runs, and must
        // not still be down then.
        case KeyPress: {
            KeySym sym = XLookupKeysym(&e.xkey, 0);
            if (sym == XK_Return || sym == XK_KP_Enter || sym == XK_Escape) closingKey = e.xkey.keycode;
            break;
        }
        case KeyRelease:
            if (closingKey && e.xkey.keycode == closingKey) open = false;
            break;
        case ButtonPress:
            pressedOnButton = e.xbutton.button == Button1 && insideButton(l, e.xbutton.x, e.xbutton.y);
            break;
        case ButtonRelease:
            if (pressedOnButton && insideButton(l, e.xbutton.x, e.xbutton.y)) open = false;
            pressedOnButton = false;
            break;
        case ClientMessage:
            if (Atom(e.xclient.data.l[0]) == deleteWindow) open = false;
            break;
        case DestroyNotify:
            open = false;
            break;
        }
    }
    XFreeGC(d, gc);
    removeGameWindow(w);
    XDestroyWindow(d, w);
    if (font) XFreeFont(d, font);
    // Hand the keyboard back to the window that had it.
    if (focus != None && focus != PointerRoot) XSetInputFocus(d, focus, RevertToParent, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    XSetErrorHandler(previousHandler);
    return true;
}

}  // namespace

void showErrorMessage(const char* text) {
    if (!text) text = "";
    std::fprintf(stderr, "%s", text);
    // The messages without a line feed of their own still end their console line.
    if (!*text || text[std::strlen(text) - 1] != '\n') std::fputc('\n', stderr);
    std::fflush(stderr);
    if (errorPopups) popUp(text);
}
