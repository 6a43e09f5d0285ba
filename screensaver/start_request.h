#pragma once

// What the system asks for on the command line: run, configure or preview.
// The upper-cased command line's second character is the mode letter; the
// first character is not looked at, so /s, -s and /S mean the same.

#include <cstdint>
#include <string_view>

#include "runtime/conversions.h"

enum class StartMode {
    Run,       // "S", or an empty command line
    Configure, // "C": the settings dialog
    Preview,   // "P": a picture inside the window whose handle follows
    None,      // anything else: the program ends at once, silently
};

struct StartRequest {
    StartMode mode = StartMode::None;
    bool hide_cursor = false;        // only for the mode letter "S"
    std::int32_t preview_handle = 0; // only for preview; 0 when there is none
    // Only for configure: the window the system's Settings button was pressed
    // in ("/c:1234"), which the settings dialog stays above; 0 when there is none.
    std::int32_t owner_handle = 0;
};

// arguments: the command line without the program name, ANSI text.
StartRequest ReadStartRequest(std::string_view arguments, runtime::LeadByteTest lead_byte);

// The window handle that starts at the fourth character of the command line
// as passed (/p 1234, /p:1234 and /c:1234 all give 1234): blanks before it
// are skipped, and no number or one outside 32 bits gives 0.
std::int32_t ReadWindowHandle(std::string_view arguments, runtime::LeadByteTest lead_byte);
