#pragma once

// The words the screensaver program puts on the renderer's command line for
// the user's display choices, and the renderer reads there. With none of
// them the renderer does what it always did.

#include <string_view>

// Never change the display mode: draw at the primary monitor's own resolution.
inline constexpr std::string_view kKeepResolutionArgument = "/keep-resolution";

// Draw the scene on every monitor, each over its own desktop, instead of
// covering the others in black.
inline constexpr std::string_view kEveryMonitorArgument = "/every-monitor";

// Benchmarks only: draw frames back to back instead of one per display
// refresh. The screensaver program never passes it.
inline constexpr std::string_view kUnpacedArgument = "/unpaced";
