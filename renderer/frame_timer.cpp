#include "frame_timer.h"

void FrameTimer::start(const ClockSource& clock) {
    m_clock = clock;
    std::int64_t frequency = 0;
    if (m_clock.query_frequency(&frequency) && frequency > 0) {
        m_base_count = m_clock.query_counter();
        m_seconds_per_tick = static_cast<float>(1.0 / static_cast<double>(frequency));
        m_read_clock = &FrameTimer::read_counter;
    } else {
        m_base_count = static_cast<std::int64_t>(m_clock.milliseconds());
        m_seconds_per_tick = 0.001f;
        m_read_clock = &FrameTimer::read_milliseconds;
    }
}

void FrameTimer::tick() {
    if (m_read_clock == nullptr) {
        return;
    }
    const double x = (this->*m_read_clock)();
    m_elapsed = static_cast<float>(x - m_start_time);
    m_delta = m_elapsed - m_previous_elapsed;
    m_previous_elapsed = m_elapsed;
}

double FrameTimer::read_counter() {
    m_current_count = m_clock.query_counter();
    return static_cast<double>(m_current_count - m_base_count) * m_seconds_per_tick;
}

// NOTE: the millisecond count is zero-extended, so a wrap of the system's
// 32-bit millisecond clock during a run gives a negative elapsed time. Only
// machines without a high-resolution counter take this path.
double FrameTimer::read_milliseconds() {
    const auto now = static_cast<std::int64_t>(m_clock.milliseconds());
    return static_cast<double>(now - m_base_count) * m_seconds_per_tick;
}
