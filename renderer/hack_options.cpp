#include "hack_options.h"

#include <charconv>

namespace {

using Target = HackOptions::Target;

// A whole number of the given base that fills text exactly.
template <typename Number>
bool ReadNumber(std::string_view text, Number& number, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// A window id: decimal, or hexadecimal after 0x; from 1 to kLargestWindowId.
bool ReadWindowId(std::string_view text, unsigned long& id) {
    int base = 10;
    if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
        text.remove_prefix(2);
        base = 16;
    }
    return ReadNumber(text, id, base) && id != 0 && id <= kLargestWindowId;
}

// An offset of a geometry: a sign, then digits up to the next sign.
bool ReadOffset(std::string_view& text, int& offset, bool& from_far_edge) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) {
        return false;
    }
    from_far_edge = text[0] == '-';
    text.remove_prefix(1);
    const std::size_t end = text.find_first_of("+-");
    const std::string_view digits = text.substr(0, end);
    text.remove_prefix(digits.size());
    return ReadNumber(digits, offset);
}

// [=]WxH[{+-}X{+-}Y], as X's geometry strings; sides above zero.
bool ReadGeometry(std::string_view text, HackGeometry& geometry) {
    if (text.substr(0, 1) == "=") {
        text.remove_prefix(1);
    }
    const std::size_t by = text.find_first_of("xX");
    if (by == std::string_view::npos) {
        return false;
    }
    const std::size_t end = text.find_first_of("+-", by);
    if (!ReadNumber(text.substr(0, by), geometry.width) ||
        !ReadNumber(text.substr(by + 1, end - by - 1), geometry.height) || geometry.width == 0 ||
        geometry.height == 0) {
        return false;
    }
    geometry.given = true;
    if (end == std::string_view::npos) {
        return true;
    }
    text.remove_prefix(end);
    geometry.placed = ReadOffset(text, geometry.x, geometry.x_from_right) &&
                      ReadOffset(text, geometry.y, geometry.y_from_bottom) && text.empty();
    return geometry.placed;
}

// One option: its name, whether a value follows, what it does (false when
// the value is not one it takes), and its line of the usage.
struct OptionRow {
    std::string_view name;
    bool takes_value;
    bool (*apply)(HackOptions& options, std::string_view value);
    std::string_view usage;
};

// An option that sets one field to one value.
template <auto Field, auto Value>
bool Set(HackOptions& options, std::string_view) {
    options.*Field = Value;
    return true;
}

// An option every hack takes that means nothing here.
bool Ignore(HackOptions&, std::string_view) {
    return true;
}

constexpr OptionRow kOptions[] = {
    {"root", false, Set<&HackOptions::target, Target::Root>,
     "draw into the daemon's window or the (virtual) root window"},
    {"window", false, Set<&HackOptions::target, Target::OwnWindow>,
     "draw into a window of its own (the default)"},
    {"window-id", true,
     [](HackOptions& o, std::string_view v) {
         o.target = Target::Window;
         return ReadWindowId(v, o.window);
     },
     "draw into the window with this id (decimal or 0x-hexadecimal)"},
    {"install", false, Ignore, "(ignored: the hack needs no colormap of its own)"},
    {"noinstall", false, Ignore, "(ignored)"},
    {"visual", true, Ignore, "(ignored: the visual is the window's, or the daemon's GL visual)"},
    {"mono", false, Ignore, "(ignored)"},
    {"fps", false, Set<&HackOptions::fps, true>, "show the frame rate"},
    {"no-fps", false, Set<&HackOptions::fps, false>, "do not show the frame rate"},
    {"delay", true,
     [](HackOptions& o, std::string_view v) {
         return ReadNumber(v, o.delay) && o.delay >= 0 && o.delay <= kLongestDelay;
     },
     "microseconds from frame to frame (0: as fast as it can; default: one frame a refresh)"},
    {"display", true,
     [](HackOptions& o, std::string_view v) {
         o.display = std::string(v);
         return !v.empty();
     },
     "the X display to open"},
    {"geometry", true,
     [](HackOptions& o, std::string_view v) {
         o.geometry = HackGeometry{};
         return ReadGeometry(v, o.geometry);
     },
     "WxH[+X+Y]: the size and place of its own window"},
    {"help", false, Set<&HackOptions::help, true>, "print this and end"},
};

const OptionRow* FindOption(std::string_view name) {
    for (const OptionRow& row : kOptions) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

// "--name", "-name" or either with "=value" attached.
struct Argument {
    std::string_view name;
    std::string_view value;
    bool attached = false;
};

Argument Split(std::string_view argument) {
    if (argument.substr(0, 1) != "-") {
        return {};
    }
    argument.remove_prefix(argument.substr(0, 2) == "--" ? 2 : 1);
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) {
        return {argument, {}, false};
    }
    return {argument.substr(0, equals), argument.substr(equals + 1), true};
}

} // namespace

HackOptions ParseHackOptions(const std::vector<std::string_view>& arguments,
                             const char* xscreensaver_window) {
    HackOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Argument argument = Split(arguments[i]);
        const OptionRow* row = FindOption(argument.name);
        if (row == nullptr || (argument.attached && !row->takes_value)) {
            options.error = "unknown option: " + std::string(arguments[i]);
            return options;
        }
        std::string_view value = argument.value;
        if (row->takes_value && !argument.attached) {
            if (i + 1 == arguments.size()) {
                options.error = "no value after " + std::string(arguments[i]);
                return options;
            }
            value = arguments[++i];
        }
        if (!row->apply(options, value)) {
            options.error = "not a value of -" + std::string(row->name) + ": " + std::string(value);
            return options;
        }
    }
    // The daemon names its window for -root only; -window-id names its own.
    if (options.target == Target::Root && xscreensaver_window != nullptr &&
        *xscreensaver_window != '\0' && !ReadWindowId(xscreensaver_window, options.window)) {
        options.error =
            "XSCREENSAVER_WINDOW is not a window id: " + std::string(xscreensaver_window);
    }
    return options;
}

std::string HackUsage() {
    std::string usage = "usage: velmoran [options]\n";
    for (const OptionRow& row : kOptions) {
        std::string line = "  -" + std::string(row.name) + (row.takes_value ? " VALUE" : "");
        line.resize(22, ' ');
        usage += line + std::string(row.usage) + "\n";
    }
    return usage + "Options take one dash or two, and a value after a blank or an equals sign.\n";
}
