#include "desktop_grab.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <span>
#include <string>

#include "desktop_pixels.h"

namespace {

// Where Debian installs the grabber; the daemon's PATH may not hold it.
constexpr const char* kGrabber = "xscreensaver-getimage";
constexpr const char* kInstalledGrabber = "/usr/libexec/xscreensaver/xscreensaver-getimage";
constexpr std::chrono::seconds kGrabberTime{5};

std::string hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%lx", id);
    return text;
}

// Runs the grabber for a desktop grab alone into pixmap; true when it says it
// drew the daemon's saved desktop (with --verbose it names what it drew) and
// ended well.
bool run_grabber(Window window, Pixmap pixmap) {
    int report[2];
    if (pipe(report) != 0) {
        return false;
    }
    const std::string window_id = hex(window);
    const std::string pixmap_id = hex(pixmap);
    const pid_t child = fork();
    if (child == 0) {
        const int nothing = open("/dev/null", O_RDWR);
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        dup2(report[1], STDERR_FILENO);
        close(report[0]);
        // The user's grabDesktopImages decides; files and video never stand in.
        const char* arguments[] = {kGrabber,          "--no-images",     "--no-video", "--verbose",
                                   window_id.c_str(), pixmap_id.c_str(), nullptr};
        execvp(kGrabber, const_cast<char* const*>(arguments));
        arguments[0] = kInstalledGrabber;
        execv(kInstalledGrabber, const_cast<char* const*>(arguments));
        _exit(127);
    }
    close(report[1]);
    // The grabber gets a few seconds: a hack must never hang on it (with no
    // daemon's picture to hand it may wait for ever).
    std::string said;
    const auto deadline = std::chrono::steady_clock::now() + kGrabberTime;
    bool ended = child <= 0;
    while (!ended) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{report[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            kill(child, SIGKILL);
            break;
        }
        char buffer[512];
        const ssize_t got = read(report[0], buffer, sizeof(buffer));
        ended = got <= 0;
        if (got > 0) {
            said.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(report[0]);
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child || !ended) {
        return false;
    }
    // Only the daemon's picture of the desktop before blanking will do:
    // without a daemon the grabber would photograph the screen as it is now,
    // the hack's own window on it.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           said.find("grabbing desktop image") != std::string::npos &&
           said.find(" from saved ") != std::string::npos;
}

} // namespace

std::optional<RgbImage> grab_desktop(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width <= 0 ||
        attributes.height <= 0) {
        return std::nullopt;
    }
    const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(attributes.width),
                                        static_cast<unsigned>(attributes.height),
                                        static_cast<unsigned>(attributes.depth));
    XSync(display, False);
    std::optional<RgbImage> picture;
    if (run_grabber(window, pixmap)) {
        XImage* image = XGetImage(display, pixmap, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (image != nullptr) {
            const PixelLayout layout{image->width, image->height, image->bytes_per_line,
                                     image->bits_per_pixel, image->byte_order == MSBFirst,
                                     // NOTE: an image of a pixmap has no visual, so
                                     // its masks are the window's.
                                     static_cast<std::uint32_t>(attributes.visual->red_mask),
                                     static_cast<std::uint32_t>(attributes.visual->green_mask),
                                     static_cast<std::uint32_t>(attributes.visual->blue_mask)};
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(image->data);
            picture = RgbFromPixels(
                std::span(bytes, static_cast<std::size_t>(image->bytes_per_line) * image->height),
                layout);
            XDestroyImage(image);
        }
    }
    XFreePixmap(display, pixmap);
    return picture;
}
