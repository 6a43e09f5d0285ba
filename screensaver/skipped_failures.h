#pragma once

// The screensaver program's way with a statement that fails: it is skipped
// and the next one runs. Platform calls report failure as values; what is
// left is the memory a step allocates (strings, a picture's bytes), which the
// library reports by throwing. A step run here ends there, alone, and never
// lets that reach the window procedure or the program's entry.

template <typename Step>
void SkipIfFailing(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
        // NOTE: nothing is reported: a skipped step leaves no trace, as
        // every other failure of this program.
    }
}
