#include "frame_wait.h"

#include <mmsystem.h>

#include <cmath>

#include "../frame_pacer.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

FrameWait::FrameWait() {
    m_timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                     TIMER_ALL_ACCESS);
    if (m_timer == nullptr) {
        // NOTE: an ordinary timer fires on the system's timer tick, 15.6 ms
        // unless the period is raised.
        m_period_raised = timeBeginPeriod(1) == TIMERR_NOERROR;
        m_timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
}

FrameWait::~FrameWait() {
    if (m_timer != nullptr) {
        CloseHandle(m_timer);
    }
    if (m_period_raised) {
        timeEndPeriod(1);
    }
}

void FrameWait::wait(double seconds) {
    LARGE_INTEGER due{};
    due.QuadPart = -std::llround(seconds * 1e7); // relative, in 100 ns units
    if (m_timer != nullptr && SetWaitableTimer(m_timer, &due, 0, nullptr, nullptr, FALSE)) {
        MsgWaitForMultipleObjectsEx(1, &m_timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        return;
    }
    const auto milliseconds = static_cast<DWORD>(std::ceil(seconds * 1000));
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

double primary_refresh_period() {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        return refresh_period_seconds(0);
    }
    return refresh_period_seconds(static_cast<int>(mode.dmDisplayFrequency));
}
