#pragma once

// The words the screensaver program puts on the renderer's command line, and
// the renderer reads there: the user's display choices, and which of the
// run's photographs it wrote. With none of them the renderer does what it
// always did: a run that wrote its photograph and has every choice off
// starts the renderer with an empty command line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Never change the display mode: draw at the primary monitor's own resolution.
inline constexpr std::string_view kKeepResolutionArgument = "/keep-resolution";

// Draw the scene on every monitor, each over its own desktop, instead of
// covering the others in black.
inline constexpr std::string_view kEveryMonitorArgument = "/every-monitor";

// Thunder after every strike, as far away as its bolt.
inline constexpr std::string_view kThunderArgument = "/thunder";

// Benchmarks only: draw frames back to back instead of one per display
// refresh. The screensaver program never passes it.
inline constexpr std::string_view kUnpacedArgument = "/unpaced";

// This run wrote no photograph of the primary screen (it could not be
// taken, encoded or written): whatever picture 0 the folder holds is an
// earlier run's, and the renderer shows the grey floor instead.
inline constexpr std::string_view kNoPhotographArgument = "/no-photograph";

// With a scene on every monitor, one word for each further monitor this run
// photographed: "/monitor-photograph:N:DEVICE", hand-off picture N shows the
// monitor the system names DEVICE (such as \\.\DISPLAY2). The renderer
// gives each monitor the picture of its own name, however the monitors
// move or change their order while it switches the display's mode or runs.
inline constexpr std::string_view kMonitorPhotographArgument = "/monitor-photograph:";

struct MonitorPhotograph {
    int picture = 0;    // a further monitor's hand-off picture (3 to 17)
    std::string device; // the monitor's name as the system reports it
    bool operator==(const MonitorPhotograph&) const = default;
};

// The words for what a run wrote: kNoPhotographArgument when the primary's
// photograph is missing, then a word for each monitor photograph. Empty for
// a run that wrote its photograph and photographed no further monitor.
std::string PhotographArguments(bool photograph_written,
                                const std::vector<MonitorPhotograph>& monitors);

// One word read back; nothing unless it is a monitor photograph's word with
// a further monitor's picture number and a name without blanks.
std::optional<MonitorPhotograph> ReadMonitorPhotograph(std::string_view word);
