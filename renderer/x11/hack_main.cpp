// velmoran: the stormy night over the user's own desktop as a hack of
// XScreenSaver. It draws into the window the daemon names (XSCREENSAVER_WINDOW
// or --window-id), into the root window (--root), or into a window of its own
// when started alone (Esc, q or closing it ends it there), through GLX with
// the renderer's own scene: the floor, the bolts, the flash and their timing,
// at the window's size and aspect. SIGTERM, the daemon's way to stop a hack,
// ends it cleanly.

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <poll.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_grab.h"
#include "embedded_bolts.h"
#include "frame_pacer.h"
#include "gl_headers.h"
#include "hack_options.h"
#include "scene.h"
#include "textures.h"

namespace {

constexpr int kOwnWidth = 1024; // pixels, the window of its own
constexpr int kOwnHeight = 768;

volatile std::sig_atomic_t g_stop = 0;
bool g_x_error = false;

void on_stop_signal(int) {
    g_stop = 1;
}

// X errors are remembered, never fatal: a window that goes away is the
// daemon's business.
int remember_x_error(Display*, XErrorEvent*) {
    g_x_error = true;
    return 0;
}

int fail(const std::string& text) {
    std::fprintf(stderr, "velmoran: %s\n", text.c_str());
    return 1;
}

bool query_frequency(std::int64_t* counts_per_second) {
    *counts_per_second = 1'000'000'000;
    return true;
}

std::int64_t query_counter() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

std::uint32_t milliseconds() {
    return static_cast<std::uint32_t>(query_counter() / 1'000'000);
}

const ClockSource kClock{query_frequency, query_counter, milliseconds};

// The window to draw into and the visual it has.
struct Target {
    Window window = 0;
    XVisualInfo* visual = nullptr;
    bool own = false;
};

XVisualInfo* visual_of(Display* display, const XWindowAttributes& attributes) {
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}

// The target window, or an error text.
Target find_target(Display* display, const HackOptions& options, std::string& error) {
    Target target;
    const int screen = DefaultScreen(display);
    if (options.target == HackOptions::Target::OwnWindow) {
        // No depth buffer: nothing is depth-tested.
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, None};
        target.visual = glXChooseVisual(display, screen, attributes);
        if (target.visual == nullptr) {
            error = "no OpenGL visual";
            return target;
        }
        const Window root = RootWindow(display, screen);
        XSetWindowAttributes set{};
        set.colormap = XCreateColormap(display, root, target.visual->visual, AllocNone);
        set.background_pixel = BlackPixel(display, screen);
        set.event_mask = KeyPressMask | StructureNotifyMask;
        target.window = XCreateWindow(display, root, 0, 0, kOwnWidth, kOwnHeight, 0,
                                      target.visual->depth, InputOutput, target.visual->visual,
                                      CWColormap | CWBackPixel | CWEventMask, &set);
        XStoreName(display, target.window, "velmoran");
        Atom close = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, target.window, &close, 1);
        XMapRaised(display, target.window);
        target.own = true;
        return target;
    }
    target.window =
        options.target == HackOptions::Target::Root ? RootWindow(display, screen) : options.window;
    XWindowAttributes attributes{};
    g_x_error = false;
    const Status found = XGetWindowAttributes(display, target.window, &attributes);
    XSync(display, False);
    if (!found || g_x_error) {
        error = "no such window: 0x" + [&] {
            char text[32];
            std::snprintf(text, sizeof(text), "%lx", target.window);
            return std::string(text);
        }();
        return target;
    }
    target.visual = visual_of(display, attributes);
    int gl = 0;
    if (target.visual == nullptr || glXGetConfig(display, target.visual, GLX_USE_GL, &gl) != 0 ||
        !gl) {
        error = "the window's visual has no OpenGL";
        return target;
    }
    XSelectInput(display, target.window, attributes.your_event_mask | StructureNotifyMask);
    return target;
}

// The frame rate drawn in the top-left corner, in X's "fixed" font.
class FrameRate {
public:
    FrameRate(Display* display, bool shown) {
        if (!shown) {
            return;
        }
        XFontStruct* font = XLoadQueryFont(display, "fixed");
        if (font == nullptr) {
            return;
        }
        m_lists = glGenLists(96);
        glXUseXFont(font->fid, 32, 96, m_lists);
        m_line = font->ascent + font->descent;
        XFreeFont(display, font);
    }

    void draw(float delta, int width, int height) {
        if (m_lists == 0) {
            return;
        }
        m_seconds += delta;
        ++m_frames;
        if (m_seconds >= 1.0f) {
            std::snprintf(m_text, sizeof(m_text), "FPS: %.1f", m_frames / m_seconds);
            m_seconds = 0.0f;
            m_frames = 0;
        }
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT | GL_TRANSFORM_BIT);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, width, 0, height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glColor3f(1.0f, 1.0f, 1.0f);
        glRasterPos2i(10, height - 10 - m_line);
        glListBase(m_lists - 32);
        glCallLists(static_cast<GLsizei>(std::string_view(m_text).size()), GL_UNSIGNED_BYTE,
                    m_text);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glPopAttrib();
    }

private:
    GLuint m_lists = 0;
    int m_line = 0;
    float m_seconds = 0.0f;
    int m_frames = 0;
    char m_text[32] = "FPS: -";
};

struct Run {
    Display* display = nullptr;
    Target target;
    int width = 0;
    int height = 0;
    FrameRate* rate = nullptr;
    Scene scene;
};

Run* g_run = nullptr;

void swap_run_buffers() {
    g_run->rate->draw(g_run->scene.frame_delta, g_run->width, g_run->height);
    glXSwapBuffers(g_run->display, g_run->target.window);
}

// Handles what the X server sent; false when the run should end.
bool handle_events(Run& run, Atom close) {
    while (XPending(run.display) > 0) {
        XEvent event{};
        XNextEvent(run.display, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == run.target.window &&
            (event.xconfigure.width != run.width || event.xconfigure.height != run.height)) {
            run.width = event.xconfigure.width;
            run.height = event.xconfigure.height;
            resize_scene(run.width, run.height);
        } else if (run.target.own && event.type == KeyPress) {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Escape || key == XK_q || key == XK_Q) {
                return false;
            }
        } else if (run.target.own && event.type == ClientMessage &&
                   static_cast<Atom>(event.xclient.data.l[0]) == close) {
            return false;
        }
    }
    return true;
}

// The hand-off pictures of this platform: the desktop and the built-in bolts.
std::optional<RgbImage> load_picture(int image) {
    if (image == 0) {
        return grab_desktop(g_run->display, g_run->target.window);
    }
    return decode_bolt_picture(image);
}

// The frame period: --delay when given (0 for none), otherwise the
// display's refresh period as XRandR reports it (60 Hz when it does not).
double frame_period(Display* display, Window window, long delay) {
    if (delay >= 0) {
        return static_cast<double>(delay) / 1e6;
    }
    int rate = 0;
    int event_base = 0, error_base = 0;
    if (XRRQueryExtension(display, &event_base, &error_base)) {
        if (XRRScreenConfiguration* config = XRRGetScreenInfo(display, window)) {
            rate = XRRConfigCurrentRate(config);
            XRRFreeScreenConfigInfo(config);
        }
    }
    return refresh_period_seconds(rate);
}

// Sleeps until seconds have passed, the X server has sent something, or a
// signal came (SIGTERM ends the run at once).
void wait_for_frame(Display* display, double seconds) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    const auto nanoseconds = static_cast<long long>(seconds * 1e9);
    const timespec timeout{static_cast<time_t>(nanoseconds / 1'000'000'000),
                           static_cast<long>(nanoseconds % 1'000'000'000)};
    ppoll(&connection, 1, &timeout, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const HackOptions options = ParseHackOptions(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.error.empty()) {
        return fail(options.error);
    }
    Run run;
    run.display = XOpenDisplay(nullptr);
    if (run.display == nullptr) {
        return fail("cannot open the display");
    }
    XSetErrorHandler(remember_x_error);
    int error_base = 0, event_base = 0;
    if (!glXQueryExtension(run.display, &error_base, &event_base)) {
        return fail("the display has no GLX");
    }
    std::string error;
    run.target = find_target(run.display, options, error);
    if (!error.empty()) {
        return fail(error);
    }
    GLXContext context = glXCreateContext(run.display, run.target.visual, nullptr, True);
    if (context == nullptr || !glXMakeCurrent(run.display, run.target.window, context)) {
        return fail("cannot make an OpenGL context for the window");
    }
    std::signal(SIGTERM, on_stop_signal);
    std::signal(SIGINT, on_stop_signal);
    XWindowAttributes attributes{};
    XGetWindowAttributes(run.display, run.target.window, &attributes);
    run.width = attributes.width;
    run.height = attributes.height;
    FrameRate rate(run.display, options.fps);
    run.rate = &rate;
    g_run = &run;

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    resize_scene(run.width, run.height);
    fill_texture_slots(run.scene, load_picture);
    run.scene.lightning.random = std::rand;
    create_pools(run.scene, kClock);
    set_fixed_gl_state();
    glBindTexture(GL_TEXTURE_2D, run.scene.texture_slots[first_bolt_texture_slot]);

    FramePacer pacer;
    pacer.start(kClock, frame_period(run.display, run.target.window, options.delay));
    const Atom close = XInternAtom(run.display, "WM_DELETE_WINDOW", False);
    while (!g_stop && handle_events(run, close)) {
        if (const double wait = pacer.seconds_to_wait(); wait > 0.0) {
            wait_for_frame(run.display, wait);
            continue;
        }
        tick_scene_clock(run.scene);
        draw_frame(run.scene, swap_run_buffers);
        pacer.frame_swapped();
    }
    glXMakeCurrent(run.display, None, nullptr);
    glXDestroyContext(run.display, context);
    if (run.target.own) {
        XDestroyWindow(run.display, run.target.window);
    }
    XFree(run.target.visual);
    XCloseDisplay(run.display);
    return 0;
}
