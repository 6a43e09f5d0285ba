#pragma once

// X errors, which Xlib reports long after the call that caused them.
//
// A scoped trap catches the errors of the calls made while it lives (it
// syncs with the server as it ends) and gives back the handler it found.
// Outside any trap, errors are kept harmless, except those that say the
// window the hack draws into is gone: those end the run.

#include <X11/Xlib.h>

#include <string>

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Syncs with the server; true when a call since the trap was set failed.
    bool caught();
    // The first error's code and the server's text for it ("BadWindow
    // (invalid Window parameter)"); empty when none came.
    std::string text() const;

private:
    Display* m_display;
    XErrorHandler m_previous;
    unsigned char m_error_code = 0;
};

// Installs the handler for errors outside the traps. Errors that name
// window as a bad window or drawable (BadWindow, BadDrawable, GLX's
// GLXBadDrawable and GLXBadWindow, whose codes begin at glx_error_base)
// mark it gone; every other error is ignored.
void watch_window_errors(Window window, int glx_error_base);

// Whether an error since watch_window_errors said the window is gone.
bool window_gone();
