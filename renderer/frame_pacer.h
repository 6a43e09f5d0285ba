#pragma once

// One frame per display refresh where the buffer swap does not wait for the
// display (software OpenGL, Wine, vertical sync turned off in a driver's
// panel). After each swap the pacer says when the next frame may start: the
// next of a row of absolute deadlines one refresh period apart, so that the
// frames neither drift nor come in bursts. The animation does not depend on
// it: the frame timer keeps measuring the real time between frames, so only
// the frame rate changes, never the storm's speed.

#include "frame_timer.h"

// The refresh period, in seconds, for a rate the system reports in hertz.
// A rate of 0 or 1 (the hardware's default), a negative one or one outside
// 24 to 500 Hz is taken as 60 Hz.
double refresh_period_seconds(int reported_hertz);

class FramePacer {
public:
    // Reads the clock the scene's timer reads. A period of 0 (or less)
    // paces nothing: every frame may start at once.
    void start(const ClockSource& clock, double period_seconds);

    // After a frame has been swapped. A frame that came sooner than one
    // period after the previous deadline waits for the next deadline. A
    // frame that came later, or so close to its deadline that the swap has
    // evidently waited for the display itself, starts a fresh deadline
    // without any wait, and so does one whose clock went backwards: the
    // pacer never waits longer than one period and never catches up.
    void frame_swapped();

    // Seconds until the next frame may start; 0 when it may start now.
    // Never more than one period: a clock that went backwards during the
    // wait starts a fresh deadline.
    double seconds_to_wait();

    bool paced() const { return m_period > 0.0; }

private:
    double now() const;

    ClockSource m_clock{};
    double m_seconds_per_count = 0.0;
    double m_period = 0.0;
    double m_deadline = 0.0; // seconds on the clock; the next frame starts then
    bool m_started = false;
};
