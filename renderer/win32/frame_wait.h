#pragma once

// The renderer's wait for the pacer's next deadline, on the loop's thread,
// cut short by any message: Esc, WM_CLOSE and every other message reach the
// window as quickly as they do without a wait.

#include <windows.h>

class FrameWait {
public:
    // A high-resolution waitable timer where the system offers one (Windows
    // 10 version 1803 and later); elsewhere an ordinary one, with the
    // system's timer period raised to 1 ms for as long as this object lives.
    FrameWait();
    ~FrameWait();
    FrameWait(const FrameWait&) = delete;
    FrameWait& operator=(const FrameWait&) = delete;

    // Returns after seconds, or as soon as a message is in the queue.
    void wait(double seconds);

private:
    HANDLE m_timer = nullptr;
    bool m_period_raised = false;
};

// The refresh period of the primary display in its current mode, seconds.
double primary_refresh_period();
