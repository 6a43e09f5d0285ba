// velmoran: the stormy night over the user's own desktop as a hack of
// XScreenSaver. It draws into the window the daemon names (with -root),
// into the virtual root or root window (-root alone), into a given window
// (-window-id) or into a window of its own (Esc, q or closing it ends it
// there), through GLX with the renderer's own scene: the floor, the bolts,
// the flash and their timing, at the window's size and aspect, one frame per
// display refresh. Its floor comes from XScreenSaver's grabber while the
// storm already runs. SIGTERM (the daemon's way to stop a hack) and the end
// of its window end it cleanly.
//
// Shaped as XScreenSaver's own hacks are: init, draw, reshape, event and
// free around one object that holds the run.

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
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_grab.h"
#include "embedded_bolts.h"
#include "frame_pacer.h"
#include "frame_rate_overlay.h"
#include "gl_headers.h"
#include "hack_clock.h"
#include "hack_options.h"
#include "hack_window.h"
#include "scene.h"
#include "textures.h"
#include "x_error_trap.h"

namespace {

// While a grab runs, the loop looks for its end at least this often (seconds).
constexpr double kGrabLook = 0.1;

volatile std::sig_atomic_t g_stop = 0;

void on_stop_signal(int) {
    g_stop = 1;
}

int fail(const std::string& text) {
    std::fprintf(stderr, "velmoran: %s\n", text.c_str());
    return 1;
}

// One run of the hack: what init makes, and draw, reshape, event and free use.
struct HackRun {
    Display* display = nullptr;
    HackWindow target;
    GLXContext context = nullptr;
    int width = 0;
    int height = 0;
    Atom close = None;
    Scene scene;
    std::unique_ptr<FrameRateOverlay> rate;
    std::unique_ptr<DesktopGrab> grab;
};

void velmoran_reshape(HackRun& run, int width, int height) {
    run.width = width;
    run.height = height;
    resize_scene(width, height);
}

// The built-in bolt pictures; the floor comes later, from the grab.
std::optional<RgbImage> bolt_pictures_only(int image) {
    return image == 0 ? std::nullopt : decode_bolt_picture(image);
}

std::unique_ptr<HackRun> velmoran_init(Display* display, const HackOptions& options,
                                       std::string& error) {
    auto run = std::make_unique<HackRun>();
    run->display = display;
    std::optional<HackWindow> target = open_hack_window(display, options, error);
    if (!target) {
        return nullptr;
    }
    run->target = *target;
    run->context = glXCreateContext(display, run->target.visual, nullptr, True);
    if (run->context == nullptr || !glXMakeCurrent(display, run->target.window, run->context)) {
        error = "cannot make an OpenGL context for the window";
        return run;
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, run->target.window, &attributes);
    run->close = XInternAtom(display, "WM_DELETE_WINDOW", False);
    run->rate = std::make_unique<FrameRateOverlay>(display, options.fps);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    velmoran_reshape(*run, attributes.width, attributes.height);
    fill_texture_slots(run->scene, bolt_pictures_only);
    run->scene.lightning.random = std::rand;
    create_pools(run->scene, hack_clock());
    set_fixed_gl_state();
    run->grab = std::make_unique<DesktopGrab>(display, run->target.window);
    return run;
}

// False when the run should end: its window is gone, or, in a window of its
// own, Esc, q or the window's close button.
bool velmoran_event(HackRun& run, const XEvent& event) {
    switch (event.type) {
    case ConfigureNotify:
        if (event.xconfigure.window == run.target.window &&
            (event.xconfigure.width != run.width || event.xconfigure.height != run.height)) {
            velmoran_reshape(run, event.xconfigure.width, event.xconfigure.height);
        }
        return true;
    case DestroyNotify:
        return event.xdestroywindow.window != run.target.window;
    case KeyPress: {
        XKeyEvent key = event.xkey;
        const KeySym symbol = XLookupKeysym(&key, 0);
        return !run.target.own || (symbol != XK_Escape && symbol != XK_q && symbol != XK_Q);
    }
    case ClientMessage:
        return !run.target.own || static_cast<Atom>(event.xclient.data.l[0]) != run.close;
    default:
        return true;
    }
}

// The floor's picture, once the grab brings one.
void take_floor(HackRun& run) {
    std::optional<RgbImage> picture = run.grab->poll();
    if (!picture) {
        return;
    }
    std::uint32_t& floor = run.scene.texture_slots[floor_texture_slot];
    const std::uint32_t texture = build_base_level_texture(*picture);
    if (texture != 0) {
        glDeleteTextures(1, &floor);
        floor = texture;
    }
}

void velmoran_draw(HackRun& run) {
    take_floor(run);
    tick_scene_clock(run.scene);
    draw_frame(run.scene, [&run] {
        run.rate->draw(run.scene.frame_delta, run.width, run.height);
        if (run.target.double_buffered) {
            glXSwapBuffers(run.display, run.target.window);
        } else {
            glFlush();
        }
    });
}

void velmoran_free(HackRun& run) {
    run.grab.reset();
    if (run.context != nullptr) {
        glXMakeCurrent(run.display, None, nullptr);
        glXDestroyContext(run.display, run.context);
    }
    close_hack_window(run.display, run.target);
}

// The frame period: -delay when given (0 for none), otherwise the display's
// refresh period as XRandR reports it (60 Hz when it does not).
double frame_period(Display* display, Window window, long delay) {
    if (delay >= 0) {
        return static_cast<double>(delay) / 1e6;
    }
    int rate = 0;
    int event_base = 0, error_base = 0;
    if (XRRQueryExtension(display, &event_base, &error_base)) {
        XErrorTrap trap(display);
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

// Handles what the X server sent; false when the run should end.
bool handle_events(HackRun& run) {
    while (XPending(run.display) > 0) {
        XEvent event{};
        XNextEvent(run.display, &event);
        if (!velmoran_event(run, event)) {
            return false;
        }
    }
    return !window_gone();
}

// Frames until SIGTERM, the window's end or the user ends the run.
void run_frames(HackRun& run, double period) {
    FramePacer pacer;
    pacer.start(hack_clock(), period);
    while (!g_stop && handle_events(run)) {
        double wait = pacer.seconds_to_wait();
        if (run.grab->running() && wait > kGrabLook) {
            wait = kGrabLook;
        }
        if (wait > 0.0) {
            wait_for_frame(run.display, wait);
            if (pacer.seconds_to_wait() > 0.0) {
                take_floor(run);
                continue;
            }
        }
        velmoran_draw(run);
        pacer.frame_swapped();
    }
}

// SIGTERM and SIGINT end the run; they cut a wait short (no restart).
void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const HackOptions options = ParseHackOptions(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.error.empty()) {
        return fail(options.error);
    }
    if (options.help) {
        std::fputs(HackUsage().c_str(), stdout);
        return 0;
    }
    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (display == nullptr) {
        return fail("cannot open the display " + (options.display.empty()
                                                      ? std::string(XDisplayName(nullptr))
                                                      : options.display));
    }
    int glx_error_base = 0, glx_event_base = 0;
    if (!glXQueryExtension(display, &glx_error_base, &glx_event_base)) {
        return fail("the display has no GLX");
    }
    std::string error;
    std::unique_ptr<HackRun> run = velmoran_init(display, options, error);
    if (!error.empty()) {
        if (run) {
            velmoran_free(*run);
        }
        return fail(error);
    }
    catch_stop_signals();
    watch_window_errors(run->target.window, glx_error_base);
    run_frames(*run, frame_period(display, run->target.window, options.delay));
    velmoran_free(*run);
    XCloseDisplay(display);
    return 0;
}
