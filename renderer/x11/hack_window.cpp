#include "hack_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdio>

#include "x_error_trap.h"

namespace {

constexpr unsigned kOwnWidth = 1024; // pixels, a window of its own without -geometry
constexpr unsigned kOwnHeight = 768;

std::string hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%lx", id);
    return text;
}

// The virtual root of vroot.h: the window a child of the root names in its
// __SWM_VROOT property, or the root itself.
Window virtual_root(Display* display, int screen) {
    const Window root = RootWindow(display, screen);
    const Atom vroot = XInternAtom(display, "__SWM_VROOT", False);
    XErrorTrap trap(display); // a child may go away while it is looked at
    Window root_back = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = root;
    if (XQueryTree(display, root, &root_back, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && found == root; ++i) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* value = nullptr;
            if (XGetWindowProperty(display, children[i], vroot, 0, 1, False, XA_WINDOW, &type,
                                   &format, &items, &after, &value) == Success &&
                value != nullptr && type == XA_WINDOW && format == 32 && items == 1) {
                found = *reinterpret_cast<Window*>(value);
            }
            if (value != nullptr) {
                XFree(value);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

std::optional<HackWindow> own_window(Display* display, const HackGeometry& geometry,
                                     std::string& error) {
    const int screen = DefaultScreen(display);
    HackWindow target;
    target.own = true;
    // No depth buffer: nothing is depth-tested.
    int double_buffered[] = {GLX_RGBA, GLX_DOUBLEBUFFER, None};
    int single_buffered[] = {GLX_RGBA, None};
    target.visual = glXChooseVisual(display, screen, double_buffered);
    if (target.visual == nullptr) {
        target.visual = glXChooseVisual(display, screen, single_buffered);
        target.double_buffered = false;
    }
    if (target.visual == nullptr) {
        error = "no OpenGL visual";
        return std::nullopt;
    }
    const unsigned width = geometry.given ? geometry.width : kOwnWidth;
    const unsigned height = geometry.given ? geometry.height : kOwnHeight;
    int x = geometry.placed ? geometry.x : 0;
    int y = geometry.placed ? geometry.y : 0;
    if (geometry.placed && geometry.x_from_right) {
        x = DisplayWidth(display, screen) - static_cast<int>(width) - geometry.x;
    }
    if (geometry.placed && geometry.y_from_bottom) {
        y = DisplayHeight(display, screen) - static_cast<int>(height) - geometry.y;
    }
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(display, root, target.visual->visual, AllocNone);
    set.background_pixel = BlackPixel(display, screen);
    set.event_mask = KeyPressMask | StructureNotifyMask;
    target.window =
        XCreateWindow(display, root, x, y, width, height, 0, target.visual->depth, InputOutput,
                      target.visual->visual, CWColormap | CWBackPixel | CWEventMask, &set);
    XStoreName(display, target.window, "velmoran");
    if (geometry.placed) {
        XSizeHints hints{};
        hints.flags = USPosition | USSize;
        XSetWMNormalHints(display, target.window, &hints);
    }
    Atom close = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, target.window, &close, 1);
    XMapRaised(display, target.window);
    return target;
}

// A window that is there already: its own visual, which must do RGBA GL.
std::optional<HackWindow> given_window(Display* display, Window window, std::string& error) {
    XWindowAttributes attributes{};
    XErrorTrap trap(display);
    const Status found = XGetWindowAttributes(display, window, &attributes);
    if (!found || trap.caught()) {
        error = "no such window: " + hex(window) +
                (trap.text().empty() ? std::string() : " (" + trap.text() + ")");
        return std::nullopt;
    }
    HackWindow target;
    target.window = window;
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    target.visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    int gl = 0, rgba = 0, doubled = 0;
    if (target.visual == nullptr || glXGetConfig(display, target.visual, GLX_USE_GL, &gl) != 0 ||
        !gl || glXGetConfig(display, target.visual, GLX_RGBA, &rgba) != 0 || !rgba) {
        error = "the window's visual has no RGBA OpenGL";
        if (target.visual != nullptr) {
            XFree(target.visual);
        }
        return std::nullopt;
    }
    glXGetConfig(display, target.visual, GLX_DOUBLEBUFFER, &doubled);
    target.double_buffered = doubled != 0;
    // Resizes (RANDR turns the root) and the window's end.
    XSelectInput(display, window, attributes.your_event_mask | StructureNotifyMask);
    return target;
}

} // namespace

std::optional<HackWindow> open_hack_window(Display* display, const HackOptions& options,
                                           std::string& error) {
    switch (options.target) {
    case HackOptions::Target::OwnWindow:
        return own_window(display, options.geometry, error);
    case HackOptions::Target::Root:
        return given_window(display,
                            options.window != 0 ? options.window
                                                : virtual_root(display, DefaultScreen(display)),
                            error);
    case HackOptions::Target::Window:
        return given_window(display, options.window, error);
    }
    return std::nullopt;
}

void close_hack_window(Display* display, HackWindow& window) {
    if (window.own) {
        XDestroyWindow(display, window.window);
    }
    if (window.visual != nullptr) {
        XFree(window.visual);
        window.visual = nullptr;
    }
}
