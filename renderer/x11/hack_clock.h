#pragma once

// The hack's clock for the frame timer and the pacer: the monotonic clock,
// in nanoseconds, which neither the user nor the network sets.

#include "frame_timer.h"

const ClockSource& hack_clock();
