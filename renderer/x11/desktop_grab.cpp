#include "desktop_grab.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "desktop_pixels.h"
#include "x_error_trap.h"

namespace {

constexpr const char* kGrabber = "xscreensaver-getimage";
// Where Debian installs it; the daemon's PATH may not hold it.
constexpr const char* kInstalledGrabber = "/usr/libexec/xscreensaver/xscreensaver-getimage";
constexpr std::chrono::seconds kGrabberTime{5};

std::string hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%lx", id);
    return text;
}

// The grabber on PATH, else where Debian puts it. Found before the fork:
// between fork and exec the child may only make the simplest calls.
std::string grabber_path() {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const std::size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
        const std::string candidate = std::string(folder) + "/" + kGrabber;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return kInstalledGrabber;
}

// A property of the window as text; empty when it is not there.
std::string text_property(Display* display, Window window, const char* name, Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* value = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type,
                           &actual, &format, &items, &after, &value) == Success &&
        value != nullptr && actual == type) {
        text.assign(reinterpret_cast<const char*>(value), format == 8 ? items : items * 4);
    }
    if (value != nullptr) {
        XFree(value);
    }
    return text;
}

// What the grabber drew, as it tells on the window: the image's name (a
// file, "video", "desktop") or none for the colour bars. A desktop counts
// only when the daemon had saved one on the window; else it was taken now.
bool drew_a_picture(Display* display, Window window) {
    const std::string name =
        text_property(display, window, "_SCREENSAVER_IMAGE_FILENAME", XA_STRING);
    if (name.empty()) {
        return false;
    }
    return name != "desktop" ||
           !text_property(display, window, "_SCREENSAVER_SCREENSHOT", XA_PIXMAP).empty();
}

} // namespace

DesktopGrab::DesktopGrab(Display* display, Window window) : m_display(display), m_window(window) {
    XErrorTrap trap(m_display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(m_display, m_window, &attributes) || attributes.width <= 0 ||
        attributes.height <= 0) {
        return;
    }
    m_pixmap = XCreatePixmap(m_display, m_window, static_cast<unsigned>(attributes.width),
                             static_cast<unsigned>(attributes.height),
                             static_cast<unsigned>(attributes.depth));
    // What an earlier grab said of the window must not speak for this one.
    XDeleteProperty(m_display, m_window,
                    XInternAtom(m_display, "_SCREENSAVER_IMAGE_FILENAME", False));
    if (trap.caught()) {
        return;
    }
    const std::string program = grabber_path();
    const std::string window_id = hex(m_window);
    const std::string pixmap_id = hex(m_pixmap);
    const char* arguments[] = {kGrabber, window_id.c_str(), pixmap_id.c_str(), nullptr};
    const int nothing = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nothing < 0) {
        return;
    }
    m_child = fork();
    if (m_child == 0) {
        // Its standard streams lead nowhere, and it keeps no other descriptor.
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        close_range(3, ~0U, 0);
        execv(program.c_str(), const_cast<char* const*>(arguments));
        _exit(127);
    }
    close(nothing);
    m_deadline = std::chrono::steady_clock::now() + kGrabberTime;
}

DesktopGrab::~DesktopGrab() {
    end_child();
    if (m_pixmap != 0) {
        XErrorTrap trap(m_display);
        XFreePixmap(m_display, m_pixmap);
    }
}

void DesktopGrab::end_child() {
    if (m_child > 0) {
        kill(m_child, SIGKILL);
        waitpid(m_child, nullptr, 0);
    }
    m_child = -1;
}

std::optional<RgbImage> DesktopGrab::poll() {
    if (m_child <= 0) {
        return std::nullopt;
    }
    int status = 0;
    const pid_t ended = waitpid(m_child, &status, WNOHANG);
    if (ended == 0) {
        if (std::chrono::steady_clock::now() >= m_deadline) {
            end_child(); // the grey floor stays
        }
        return std::nullopt;
    }
    m_child = -1;
    if (ended < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return read_picture();
}

std::optional<RgbImage> DesktopGrab::read_picture() {
    XErrorTrap trap(m_display); // the window may be gone by now
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(m_display, m_window, &attributes) ||
        !drew_a_picture(m_display, m_window)) {
        return std::nullopt;
    }
    unsigned width = 0, height = 0, border = 0, depth = 0;
    int x = 0, y = 0;
    Window root = 0;
    if (!XGetGeometry(m_display, m_pixmap, &root, &x, &y, &width, &height, &border, &depth)) {
        return std::nullopt;
    }
    XImage* image = XGetImage(m_display, m_pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr || trap.caught()) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return std::nullopt;
    }
    // NOTE: an image of a pixmap has no visual, so its masks are the window's.
    const PixelLayout layout{image->width,
                             image->height,
                             image->bytes_per_line,
                             image->bits_per_pixel,
                             image->byte_order == MSBFirst,
                             static_cast<std::uint32_t>(attributes.visual->red_mask),
                             static_cast<std::uint32_t>(attributes.visual->green_mask),
                             static_cast<std::uint32_t>(attributes.visual->blue_mask)};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image->data);
    std::optional<RgbImage> picture = RgbFromPixels(
        std::span(bytes, static_cast<std::size_t>(image->bytes_per_line) * image->height), layout);
    XDestroyImage(image);
    return picture;
}
