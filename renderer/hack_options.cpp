#include "hack_options.h"

#include <charconv>

namespace {

// "--name" or "-name" as "name"; anything else as it is.
std::string_view OptionName(std::string_view argument) {
    if (argument.substr(0, 2) == "--") {
        return argument.substr(2);
    }
    if (argument.substr(0, 1) == "-") {
        return argument.substr(1);
    }
    return {};
}

// A window id: decimal, or hexadecimal after 0x; nothing else, not zero.
bool ReadWindowId(std::string_view text, unsigned long& id) {
    int base = 10;
    if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && id != 0;
}

// A frame period: whole microseconds, at most ten seconds.
bool ReadDelay(std::string_view text, long& delay) {
    constexpr long kLongest = 10'000'000;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), delay);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           delay >= 0 && delay <= kLongest;
}

} // namespace

HackOptions ParseHackOptions(const std::vector<std::string_view>& arguments,
                             const char* xscreensaver_window) {
    HackOptions options;
    bool named = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = OptionName(arguments[i]);
        if (name == "root") {
            options.target = HackOptions::Target::Root;
        } else if (name == "fps") {
            options.fps = true;
        } else if (name == "delay" && i + 1 < arguments.size()) {
            if (!ReadDelay(arguments[++i], options.delay)) {
                options.error = "not a delay in microseconds: " + std::string(arguments[i]);
                return options;
            }
        } else if (name == "window-id" && i + 1 < arguments.size()) {
            if (!ReadWindowId(arguments[++i], options.window)) {
                options.error = "not a window id: " + std::string(arguments[i]);
                return options;
            }
            named = true;
        } else {
            options.error = "unknown option: " + std::string(arguments[i]);
            return options;
        }
    }
    unsigned long daemon_window = 0;
    if (named) {
        options.target = HackOptions::Target::Window;
    } else if (xscreensaver_window != nullptr && *xscreensaver_window != '\0') {
        if (!ReadWindowId(xscreensaver_window, daemon_window)) {
            options.error =
                "XSCREENSAVER_WINDOW is not a window id: " + std::string(xscreensaver_window);
            return options;
        }
        options.target = HackOptions::Target::Window;
        options.window = daemon_window;
    }
    return options;
}
