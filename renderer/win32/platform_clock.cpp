#include "renderer.h"

#include <mmsystem.h>

namespace {

bool query_frequency(std::int64_t* counts_per_second) {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency)) {
        return false;
    }
    *counts_per_second = frequency.QuadPart;
    return true;
}

std::int64_t query_counter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

std::uint32_t milliseconds() {
    return timeGetTime();
}

} // namespace

const ClockSource& platform_clock() {
    static const ClockSource clock{query_frequency, query_counter, milliseconds};
    return clock;
}
