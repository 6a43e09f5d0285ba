#pragma once

// How the renderer takes the display. By default it switches the primary
// display to 1024 x 768 for the run, as it always has; a run never fails
// for a mode the display does not offer, though: it falls back to a refresh
// rate the display offers, then to the mode the display is in. With the
// user's choice "keep the screen's resolution" it never switches. Where it
// does not switch, its window covers the whole primary monitor at the
// monitor's own resolution, and the scene takes the window's aspect.

#include <string_view>
#include <vector>

#include "renderer_command_line.h"

// What the screensaver program asks of the renderer on its command line.
struct RendererOptions {
    bool keep_resolution = false; // "/keep-resolution": never change the display mode
    bool every_monitor = false;   // "/every-monitor": a scene on every monitor
    bool thunder = false;         // "/thunder": thunder after every strike
    bool unpaced = false;         // "/unpaced": frames back to back (benchmarks)
    // The run wrote the primary's photograph ("/no-photograph" says it did not).
    bool photograph = true;
    // The further monitors' photographs, by the monitors' names.
    std::vector<MonitorPhotograph> monitor_photographs;
};

// The options in the renderer's command line (without its program name):
// words separated by blanks, the choices compared ignoring ASCII case;
// unknown words (and monitor photographs' words that do not read) are
// ignored, so an empty or a stray command line gives the defaults.
RendererOptions ParseRendererOptions(std::string_view command_line);

// A display-mode change the renderer tries.
enum class ModeChange {
    SizeAtCurrentRefresh, // 1024 x 768 at the current depth and refresh rate
    SizeAtAnyRefresh,     // 1024 x 768 at the current depth, the refresh rate the driver's choice
};

// The changes to try, in order, until one succeeds; when none does (or none
// is tried) the current mode stays. Nothing is tried when the current
// settings cannot be read or the user keeps the resolution.
std::vector<ModeChange> ModeChangesToTry(bool current_settings_known, bool keep_resolution);
