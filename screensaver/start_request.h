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
};

// arguments: the command line without the program name, ANSI text.
StartRequest ReadStartRequest(std::string_view arguments, runtime::LeadByteTest lead_byte);

// The number that starts at the fourth character of the command line as
// passed (/p 1234 and /p:1234 both give 1234): blanks before it are
// skipped, and no number or one outside 32 bits gives 0.
std::int32_t ReadPreviewHandle(std::string_view arguments, runtime::LeadByteTest lead_byte);
