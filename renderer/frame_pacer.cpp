#include "frame_pacer.h"

namespace {

constexpr double kFallbackHertz = 60.0;
constexpr int kLowestHertz = 24;
constexpr int kHighestHertz = 500;

// A frame this close to its deadline (a tenth of a period) counts as on
// time: a swap that waits for the display returns about one period after
// the previous one, a little early or late by the clock's jitter and by
// how far the display's true rate is from the reported one.
constexpr double kOnTimeShare = 0.1;

} // namespace

double refresh_period_seconds(int reported_hertz) {
    if (reported_hertz < kLowestHertz || reported_hertz > kHighestHertz) {
        return 1.0 / kFallbackHertz;
    }
    return 1.0 / reported_hertz;
}

void FramePacer::start(const ClockSource& clock, double period_seconds) {
    m_clock = clock;
    std::int64_t frequency = 0;
    const bool counter = m_clock.query_frequency(&frequency) && frequency > 0;
    m_seconds_per_count = counter ? 1.0 / static_cast<double>(frequency) : 0.0;
    m_period = period_seconds > 0.0 ? period_seconds : 0.0;
    m_started = false;
}

double FramePacer::now() const {
    if (m_seconds_per_count > 0.0) {
        return static_cast<double>(m_clock.query_counter()) * m_seconds_per_count;
    }
    return m_clock.milliseconds() * 0.001;
}

void FramePacer::frame_swapped() {
    if (!paced()) {
        return;
    }
    const double swapped = now();
    const double next = m_deadline + m_period;
    const double early = next - swapped;
    if (!m_started || early > m_period || early <= m_period * kOnTimeShare) {
        m_deadline = swapped; // a fresh deadline: the next frame starts now
        m_started = true;
        return;
    }
    m_deadline = next;
}

double FramePacer::seconds_to_wait() {
    if (!paced()) {
        return 0.0;
    }
    const double left = m_deadline - now();
    if (left > m_period) {
        m_deadline = now(); // the clock went backwards while waiting
        return 0.0;
    }
    return left > 0.0 ? left : 0.0;
}
