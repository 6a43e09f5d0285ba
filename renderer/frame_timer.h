#pragma once

#include <cstdint>

// The clocks a FrameTimer can read, as plain functions so that tests can
// replace the platform's with fake ones.
struct ClockSource {
    // Counts per second of the high-resolution counter; false when there is none.
    bool (*query_frequency)(std::int64_t* counts_per_second);
    // The high-resolution counter's current count.
    std::int64_t (*query_counter)();
    // Milliseconds since the system started, wrapping at 2^32.
    std::uint32_t (*milliseconds)();
};

// Measures the renderer's wall-clock time. Every value is in seconds and kept
// as a 32-bit float, so that the delta between two frames is quantised to the
// spacing of floats near the elapsed time.
class FrameTimer {
public:
    // Chooses the clock (the high-resolution counter when the platform has
    // one, the millisecond clock otherwise) and takes the base count.
    void start(const ClockSource& clock);

    // Reads the clock once; updates elapsed and delta. Does nothing before start.
    void tick();

    float elapsed() const { return m_elapsed; } // since start, at the last tick
    float delta() const { return m_delta; }     // between the last two ticks

private:
    double read_counter();
    double read_milliseconds();

    ClockSource m_clock{};
    double (FrameTimer::*m_read_clock)() = nullptr;
    float m_start_time = 0.0f; // subtracted from every reading; the timer never restarts
    float m_previous_elapsed = 0.0f;
    float m_seconds_per_tick = 0.0f;
    float m_elapsed = 0.0f;
    float m_delta = 0.0f;
    std::int64_t m_base_count = 0;
    std::int64_t m_current_count = 0;
};
