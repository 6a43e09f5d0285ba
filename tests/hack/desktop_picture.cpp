// A desktop to photograph: a window over the whole screen, red on its left
// half and blue on its right, until the program is killed.
//
//   desktop_picture

#include <X11/Xlib.h>
#include <unistd.h>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 1;
    }
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x1030e0;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel, &attributes);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    const GC gc = XCreateGC(display, window, 0, nullptr);
    XSetForeground(display, gc, 0xe02010);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose) {
            XFillRectangle(display, window, gc, 0, 0, static_cast<unsigned>(width / 2),
                           static_cast<unsigned>(height));
            XFlush(display);
        }
    }
}
