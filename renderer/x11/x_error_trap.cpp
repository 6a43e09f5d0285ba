#include "x_error_trap.h"

#include <GL/glx.h>

#include <string>

namespace {

// Xlib calls its handler with no context of ours; these are the hack's one
// window and the trap that is set (traps do not nest).
Window g_watched = 0;
int g_glx_error_base = 0;
bool g_window_gone = false;
unsigned char* g_trapped_code = nullptr;

int trap_error(Display*, XErrorEvent* event) {
    if (g_trapped_code != nullptr && *g_trapped_code == 0) {
        *g_trapped_code = event->error_code;
    }
    return 0;
}

// GLX's own error codes, after its error base (GLX 1.3, glxproto.h).
constexpr int kGlxBadDrawable = 2;
constexpr int kGlxBadWindow = 12;

bool names_a_missing_window(const XErrorEvent& event) {
    const int code = event.error_code;
    const bool glx = g_glx_error_base > 0 && (code == g_glx_error_base + kGlxBadDrawable ||
                                              code == g_glx_error_base + kGlxBadWindow);
    return code == BadWindow || code == BadDrawable || glx;
}

int watch_error(Display*, XErrorEvent* event) {
    // NOTE: GLX reports a drawable it lost without naming it; with one window
    // drawn into, that is the window.
    if (names_a_missing_window(*event) &&
        (event->resourceid == g_watched || event->error_code >= g_glx_error_base)) {
        g_window_gone = true;
    }
    return 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display) {
    XSync(m_display, False);
    g_trapped_code = &m_error_code;
    m_previous = XSetErrorHandler(trap_error);
}

XErrorTrap::~XErrorTrap() {
    caught();
    g_trapped_code = nullptr;
    XSetErrorHandler(m_previous);
}

bool XErrorTrap::caught() {
    XSync(m_display, False);
    return m_error_code != 0;
}

std::string XErrorTrap::text() const {
    if (m_error_code == 0) {
        return {};
    }
    char text[256] = {};
    XGetErrorText(m_display, m_error_code, text, sizeof(text));
    return std::string(text) + " (X error " + std::to_string(m_error_code) + ")";
}

void watch_window_errors(Window window, int glx_error_base) {
    g_watched = window;
    g_glx_error_base = glx_error_base;
    XSetErrorHandler(watch_error);
}

bool window_gone() {
    return g_window_gone;
}
