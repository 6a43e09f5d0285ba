// libFuzzer target: the Linux hack's command line, its arguments as fields,
// the first field standing for XSCREENSAVER_WINDOW. What it accepts is a
// window id the server can hand out, a delay of at most ten seconds, and a
// geometry with sides.

#include <cstdlib>

#include "fuzz_fields.h"
#include "hack_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> arguments = FuzzFields(data, size);
    const std::string environment(arguments.front());
    arguments.erase(arguments.begin());
    const HackOptions options = ParseHackOptions(arguments, environment.c_str());
    if (!options.error.empty()) {
        return 0;
    }
    if (options.window > kLargestWindowId ||
        (options.target == HackOptions::Target::Window && options.window == 0) ||
        options.delay < -1 || options.delay > kLongestDelay ||
        (options.geometry.given && (options.geometry.width == 0 || options.geometry.height == 0))) {
        std::abort();
    }
    return 0;
}
